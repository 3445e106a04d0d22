#include "actions/event_module.h"
#include "skins/picture_file.h"
#include "skins/skin_list.h"
#include "skins/skin_loader.h"
#include "skins/skin_target.h"

#include <QRegion>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

const QString SkinsFolder = QStringLiteral(QUAVREL_PROGRAM_FOLDER "/Skins/");

TEST(ShippedSkinsTest, HaveTitlesInEnglishAndJapanese) {
    const TSkinList english = ListSkins(SkinsFolder, "eng");
    EXPECT_EQ(english.Folders, (QStringList{"default", "sky"}));
    EXPECT_EQ(english.Titles, (QStringList{"Default", "Sky"}));
    EXPECT_EQ(ListSkins(SkinsFolder, "jap").Titles, (QStringList{"デフォルト", "スカイ"}));
}

TEST(ShippedSkinsTest, SplashAndFirstRunPicturesAre24BitBitmaps) {
    for (const char* name : {"splash", "imgmsg1", "imgmsg2", "imgmsg3"}) {
        const QString path = SkinsFolder + name + ".bmp";
        const QImage picture = LoadBitmapFile(path);
        EXPECT_GE(picture.width(), 300) << name;
        EXPECT_GE(picture.height(), 100) << name;
        // The bits per pixel of the bitmap's info header.
        EXPECT_EQ(ReadSkinFile(path).at(28), 24) << name;
    }
}

// Where a window docks, the docking-point marker still shows, and the window lies off the
// main window's body.
TEST(ShippedSkinsTest, ADockedWindowLeavesTheDockingPointMarkerInSight) {
    for (const char* skin : {"sky", "default"}) {
        QWidget window;
        const TEventModule commands;
        SkinTarget target(&window, commands, SkinsFolder);
        ASSERT_TRUE(LoadSkin(target, skin)) << skin;
        const QWidget* marker = target.Groups[TSkinFunction::DockingPoint].Item(0);
        ASSERT_NE(marker, nullptr) << skin;
        const QRect body(QPoint(0, 0), window.size());
        for (const TSkinWindowLook* look : {&target.Parameters.Cassette, &target.Parameters.Card}) {
            const QRect docked(look->DockingPoint, QSize(look->Width, look->Height));
            EXPECT_FALSE(docked.intersects(marker->geometry())) << skin;
            EXPECT_FALSE(docked.intersects(body)) << skin;
        }
    }
}

// Each shipped skin has one control of every practice function, inside the main window's
// shape and clear of every other control.
TEST(ShippedSkinsTest, PlaceEveryPracticeControlApart) {
    const TSkinFunction practice[] = {
        TSkinFunction::TransposeLabel, TSkinFunction::SpeedReset, TSkinFunction::TransposeUp,
        TSkinFunction::TransposeDown,  TSkinFunction::CentsUp,    TSkinFunction::CentsDown,
        TSkinFunction::SpeedTrainer,
    };
    for (const char* skin : {"sky", "default"}) {
        QWidget window;
        const TEventModule commands;
        SkinTarget target(&window, commands, SkinsFolder);
        ASSERT_TRUE(LoadSkin(target, skin)) << skin;
        for (const TSkinFunction function : practice) {
            const std::string name = SkinFunctionName(function).toStdString();
            ASSERT_EQ(target.Groups[function].Count(), 1) << skin << " " << name;
            const QWidget* control = target.Groups[function].Item(0);
            EXPECT_EQ(control->parentWidget(), &window) << skin << " " << name;
            EXPECT_TRUE(QRegion(control->geometry()).subtracted(window.mask()).isEmpty())
                << skin << " " << name;
            for (int i = 0; i < SkinFunctionCount; ++i) {
                const TControlList& others = target.Groups[static_cast<TSkinFunction>(i)];
                for (int k = 0; k < others.Count(); ++k) {
                    const QWidget* other = others.Item(k);
                    EXPECT_TRUE(other == control ||
                                !other->geometry().intersects(control->geometry()))
                        << skin << " " << name << " overlaps "
                        << SkinFunctionName(static_cast<TSkinFunction>(i)).toStdString();
                }
            }
        }
    }
}

} // namespace
