// A form whose modal dialogs are answered by the test, through the dialogs' own keyboard
// handling, and recorded as they were shown.
#pragma once

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <SDL.h>

#include "media/events.h"
#include "options/dialogs.h"
#include "tests/support/options_fixture.h"

class DialogFixture : public OptionsFixture {
protected:
    struct Shown {
        std::string name;
        std::vector<std::string> texts; // names and scores of a table; a message's text
        int highlight = 0;
        std::vector<uint32_t> colours; // a table's label colours, row by row
    };

    void SetUp() override {
        OptionsFixture::SetUp();
        Answer();
    }

    // Installs the responder on the current form (again after the form is rebuilt).
    void Answer() {
        form().ShowModal = [this](TModalDialog& dialog) { Respond(dialog); };
    }

    void Respond(TModalDialog& dialog) {
        Shown shown{dialog.Name, {}, 0, {}};
        if (auto* score = dynamic_cast<TfrmScore*>(&dialog)) {
            for (const TfrmScore::Row& row : score->Rows) {
                shown.texts.push_back(row.mPlayersName.Caption);
                shown.texts.push_back(row.mPlayersScore.Caption);
                shown.colours.push_back(row.mPlayersName.FontColor);
            }
            shown.highlight = score->Highlight;
        } else if (auto* box = dynamic_cast<TMessageDialog*>(&dialog)) {
            shown.texts = {box->Caption, box->Text};
        } else if (auto* input = dynamic_cast<TfrmInput*>(&dialog)) {
            shown.texts = {input->Edit1.Text};
        }
        shown_.push_back(shown);
        // The next scripted answer: text to type and Enter, or a key.
        if (answers_.empty()) {
            dialog.KeyDown(key_code::Enter, false, false);
        } else {
            const std::string answer = answers_.front();
            answers_.pop_front();
            if (answer == "<enter>")
                dialog.KeyDown(key_code::Enter, false, false);
            else if (answer == "<escape>")
                dialog.KeyDown(key_code::Escape, false, false);
            else if (answer == "<yes>")
                dialog.KeyDown('Y', false, false);
            else if (answer == "<no>")
                dialog.KeyDown('N', false, false);
            else {
                dialog.TextInput(answer);
                dialog.KeyDown(key_code::Enter, false, false);
            }
        }
        if (!dialog.Closed()) ADD_FAILURE() << dialog.Name << " did not close";
    }

    static std::vector<uint8_t> FileBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }
    static void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<std::string> Names(const std::vector<std::string>& shown_texts) const {
        std::vector<std::string> names;
        for (size_t i = 0; i < shown_texts.size(); i += 2) names.push_back(shown_texts[i]);
        return names;
    }

    std::deque<std::string> answers_;
    std::vector<Shown> shown_;
};
