// The error box over the options panel: shown in the game window, modal until confirmed.
#include <SDL.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "media/events.h"
#include "tests/support/form_fixture.h"

namespace {

class MessageBoxTest : public FormFixture {
protected:
    // A form with its window, as the game has it.
    void OpenFormWithWindow() {
        form_.reset();
        form_ = std::make_unique<TMainForm>(app_, /*open_window=*/true);
    }

    static SDL_Event Key(SDL_Keycode key) {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.keysym.sym = key;
        return event;
    }
};

TEST_F(MessageBoxTest, AnErrorWhileThePanelIsUpShowsOverIt) {
    OpenFormWithWindow();
    app_.SetIdleSlot(this, [] { throw std::runtime_error("bn.ini に書き込めません"); });
    app_.Step(false);
    app_.ClearIdleSlot();
    EXPECT_EQ(form().Panel1.Message, "bn.ini に書き込めません");
    EXPECT_FALSE(app_.Terminated()) << "the loop goes on";

    // Drawing it must work: the panel keeps drawing with the box over it.
    form().Panel1.Draw();
    std::vector<uint32_t> pixels;
    int width = 0, height = 0;
    ASSERT_TRUE(form().Window.ReadPixels(pixels, width, height));
    form().Panel1.Message.clear();
    form().Panel1.Draw();
    std::vector<uint32_t> without;
    ASSERT_TRUE(form().Window.ReadPixels(without, width, height));
    EXPECT_NE(pixels, without) << "the box is drawn over the panel";
}

TEST_F(MessageBoxTest, TheBoxHoldsTheKeysUntilConfirmed) {
    TOptionsPanel& panel = form().Panel1;
    int starts = 0;
    panel.Button1.OnClick = [&] { ++starts; };
    panel.ShowMessage("ディスプレイモードを変更できません (800x600 16bit)");
    panel.HandleEvent(EventOf(Key(SDLK_TAB)));
    panel.HandleEvent(EventOf(Key(SDLK_a)));
    EXPECT_FALSE(panel.Message.empty()) << "other keys leave the box up";
    panel.HandleEvent(EventOf(Key(SDLK_RETURN)));
    EXPECT_TRUE(panel.Message.empty());
    EXPECT_EQ(starts, 0) << "confirming the box does not also press START";
    panel.HandleEvent(EventOf(Key(SDLK_RETURN)));
    EXPECT_EQ(starts, 1) << "with the box gone, Enter presses START again";
}

} // namespace
