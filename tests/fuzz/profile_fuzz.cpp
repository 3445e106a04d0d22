// The profile-file reader and what is read through it. The first byte chooses the reader, the
// rest is the file:
//   0  the profile file itself: every value read as text, integer and boolean, and the file
//      written out and read back with the same values;
//   1  the settings file;
//   2  the song data file, for the song "/music/song.wav" (a section "song.wav", or the older
//      one under the full key);
//   3  the key file: its saved key-binding sets and the current binding, applied to editors;
//   4  a language file: the messages and the texts of a small dialog.
#include "actions/key_bind.h"
#include "actions/language_file.h"
#include "actions/real_time_hot_key.h"
#include "fuzz_folder.h"
#include "platform/profile_file.h"
#include "storage/settings_file.h"
#include "storage/song_data_file.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdlib>

namespace {

void ReadProfile(const QByteArray& bytes) {
    const ProfileFile file = ProfileFile::FromBytes(bytes);
    const ProfileFile saved = ProfileFile::FromBytes(file.ToBytes());
    file.ForEachValue([&](const QString& section, const QString& key, const QString& value) {
        file.ReadInteger(section, key, 0);
        file.ReadBool(section, key, false);
        // What the file says survives saving it.
        if (file.ReadString(section, key, {}) != saved.ReadString(section, key, {})) {
            __builtin_trap();
        }
        // A value written is read back as it was, but for line breaks, which become blanks.
        if (section.isEmpty() || key.isEmpty()) {
            return;
        }
        ProfileFile written;
        written.WriteString(section, key, value);
        QString oneLine = value;
        oneLine.replace(u'\r', u' ').replace(u'\n', u' ');
        if (written.ReadString(section, key, {}) != oneLine) {
            __builtin_trap();
        }
    });
}

// Editors named as the program's are, so that a binding finds them.
class KeyEditors {
public:
    KeyEditors() {
        for (const char* name : {"hkPlay", "hkStop", "hkRepeat"}) {
            auto* editor = new TRealTimeVirtualCodeHotKey(&parent);
            editor->setObjectName(QString::fromLatin1(name));
            editors.push_back(editor);
        }
    }
    QWidget parent;
    THotKeyEditors editors;
};

// Made once, before the first input, with the dialog below: Qt keeps the fonts their texts
// need to the end.
KeyEditors* keys = nullptr;

void ReadKeyFile(const QByteArray& bytes) {
    const ProfileFile file = ProfileFile::FromBytes(bytes);
    for (const TKeyBind& set : LoadSets(file)) {
        set.ApplyToEditors(keys->editors);
        set.MatchesEditors(keys->editors);
    }
    TKeyBind current;
    current.LoadFromSection(file, CurrentKeyBindSection);
    current.ApplyToEditors(keys->editors);
}

// A dialog with one component of each kind whose texts a language file replaces.
class TranslatedDialog {
public:
    TranslatedDialog() {
        dialog.setObjectName(QStringLiteral("FuzzFrm"));
        auto* layout = new QVBoxLayout(&dialog);
        auto* label = new QLabel(QStringLiteral("Label"));
        label->setObjectName(QStringLiteral("lbTitle"));
        auto* button = new QPushButton(QStringLiteral("OK"));
        button->setObjectName(QStringLiteral("btOk"));
        auto* combo = new QComboBox;
        combo->setObjectName(QStringLiteral("cbKind"));
        combo->addItems({QStringLiteral("one"), QStringLiteral("two")});
        auto* memo = new QPlainTextEdit(QStringLiteral("line"));
        memo->setObjectName(QStringLiteral("meText"));
        for (QWidget* widget : std::initializer_list<QWidget*>{label, button, combo, memo}) {
            layout->addWidget(widget);
        }
        RegisterComponents({&dialog});
    }
    QWidget dialog;
};

void ReadLanguageFile(const std::uint8_t* data, std::size_t size) {
    LoadLanguageFile(QString::fromStdString(WriteFuzzFile("quavrel_lang.fuzz.ini", data, size)));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication application(*argc, *argv);
    static KeyEditors editors;
    static TranslatedDialog dialog;
    keys = &editors;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1,
                           static_cast<qsizetype>(size - 1));
    try {
        switch (data[0]) {
        case 0:
            ReadProfile(bytes);
            break;
        case 1:
            ReadSettings(ProfileFile::FromBytes(bytes), "eng");
            break;
        case 2:
            WriteFuzzFile(SongDataFileName, data + 1, size - 1);
            LoadSongRecords(FuzzFolder(), "/music/song.wav");
            break;
        case 3:
            ReadKeyFile(bytes);
            break;
        case 4:
            ReadLanguageFile(data + 1, size - 1);
            break;
        default:
            break;
        }
    } catch (const Exception&) {
        // A file that cannot be read is refused with a message.
    }
    return 0;
}
