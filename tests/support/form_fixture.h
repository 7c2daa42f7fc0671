// A main form on a virtual clock under SDL's dummy drivers, with the settings and record
// folders pointed at a fresh temporary directory.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "app/main_form.h"
#include "media/application.h"
#include "media/clock.h"
#include "tests/support/env_scope.h"

class FormFixture : public ::testing::Test {
protected:
    void SetUp() override {
        UseTemporaryFolders();
        form_ = std::make_unique<TMainForm>(app_, /*open_window=*/false);
    }

    // SDL's dummy drivers, and the settings and record folders in a fresh temporary
    // directory: everything a form needs before it is built.
    void UseTemporaryFolders() {
        video_.emplace("SDL_VIDEODRIVER", "dummy", true);
        audio_.emplace("SDL_AUDIODRIVER", "dummy", true);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
        home_ = std::filesystem::temp_directory_path() /
                ("brannock-test-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(home_);
        std::filesystem::create_directories(home_);
        config_.emplace("XDG_CONFIG_HOME", (home_ / "config").c_str());
        data_.emplace("XDG_DATA_HOME", (home_ / "data").c_str());
    }

    void TearDown() override {
        form_.reset();
        std::filesystem::remove_all(home_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    }

    // Opens the display in window mode, as START does for "Window Mode".
    void OpenWindowedDisplay() {
        TDXDrawOptions options = form_->DXDraw.Options();
        options.Exclude(doFullScreen);
        form_->DXDraw.SetOptions(options);
        form_->DXDraw.InitializeDisplay();
    }

    TMainForm& form() { return *form_; }
    World& world() { return form_->world; }
    // The contexts the form gives the game steps and the screens.
    GameContext game() { return form_->MakeGameContext(); }
    ScreenContext screen() { return form_->MakeScreenContext(); }

    std::optional<EnvScope> video_, audio_, config_, data_; // outlive the form
    VirtualClock clock_{1000};
    TApplication app_{clock_};
    std::filesystem::path home_;
    std::unique_ptr<TMainForm> form_;
};
