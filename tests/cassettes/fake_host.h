#pragma once

#include "audio/cda_media_player.h"
#include "cassettes/cassette_host.h"
#include "cassettes/default_skins.h"
#include "cassettes/qvr_base_frm.h"
#include "cassettes/qvr_window_list.h"
#include "storage/settings.h"

#include <QString>
#include <QWidget>
#include <algorithm>
#include <string>
#include <vector>

// The main window's side of docking, as small as the windows need it: the dock operation moves
// the window (gliding when asked) and sends the one docked before to a free spot.
class FakeHost : public TCassetteHost {
public:
    FakeHost() {
        main.setWindowFlags(Qt::FramelessWindowHint);
        main.setGeometry(200, 150, 300, 200);
    }
    ~FakeHost() override { ReleaseAllQvrWindows(); }

    QWidget* MainWindow() override { return &main; }
    void BringMainToFront() override { ++broughtToFront; }
    bool StayOnTop() const override { return false; }
    const Settings& GetSettings() const override { return settings; }
    std::string DataFolder() const override { return dataFolder; }
    TCDAMediaPlayer& SongPlayer() override { return songPlayer; }
    const TSkinWindowLook& WindowSkin(TQvrKind kind) const override {
        return kind == TQvrKind::Cassette ? cassetteSkin : cardSkin;
    }
    int DockSnapDistance() const override { return 15; }
    TQvrBaseFrm* DockedWindow() const override { return docked; }
    void DockWindow(TQvrBaseFrm* window, bool glide) override {
        if (window == docked) {
            return;
        }
        if (window != nullptr) {
            window->GoToDockingPoint(glide);
        }
        if (docked != nullptr && window != nullptr) {
            docked->GlideToFreeSpot(window);
        }
        docked = window;
    }
    void QueueClose(TQvrBaseFrm* window) override { closeQueue.push_back(window); }
    bool Closing(const TQvrBaseFrm* window) const override {
        return std::ranges::find(closeQueue, window) != closeQueue.end();
    }
    // The dialog stays open until the test answers through saveChosen.
    void ChooseSaveWaveFile(std::function<void(const std::string& file)> chosen) override {
        saveChosen = std::move(chosen);
    }
    void ShowProblem(const QString& text) override { problems.push_back(text); }

    Settings settings = DefaultSettings("");
    std::string dataFolder;
    TCDAMediaPlayer songPlayer;
    TSkinWindowLook cassetteSkin = DefaultCassetteSkin();
    TSkinWindowLook cardSkin = DefaultCardSkin();
    TQvrBaseFrm* docked = nullptr;
    std::vector<TQvrBaseFrm*> closeQueue;
    std::function<void(const std::string& file)> saveChosen;
    std::vector<QString> problems;
    int broughtToFront = 0;
    // Last, so that it goes first and takes the windows it owns with it.
    QWidget main;
};
