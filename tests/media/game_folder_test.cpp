#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "media/game_folder.h"

namespace {

namespace fs = std::filesystem;

class GameFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("brannock-game-folder-" + std::to_string(getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "bin");
        fs::create_directories(root_ / "share" / "brannock");
    }
    void TearDown() override { fs::remove_all(root_); }
    static void Touch(const fs::path& path) { std::ofstream(path) << "BM"; }

    fs::path root_;
};

TEST_F(GameFolderTest, FilesBesideTheProgramComeFirst) {
    Touch(root_ / "bin" / "Image1.bmp");
    Touch(root_ / "share" / "brannock" / "Image1.bmp");
    EXPECT_EQ(FindGameFolder(root_ / "bin"), (root_ / "bin").string() + "/");
    EXPECT_EQ(FindGameFolder((root_ / "bin").string() + "/"), (root_ / "bin").string() + "/");
}

TEST_F(GameFolderTest, AnInstalledProgramFindsShareBesideItsBin) {
    Touch(root_ / "share" / "brannock" / "Image1.bmp");
    EXPECT_EQ(FindGameFolder(root_ / "bin"), (root_ / "share" / "brannock").string() + "/");
}

// Whatever stands under the marker's name marks the folder: it is said not to be a
// picture when it is loaded, rather than the game files being missing.
TEST_F(GameFolderTest, AMarkerThatIsNoFileStillMarksTheFolder) {
    fs::create_directories(root_ / "bin" / "Image1.bmp");
    EXPECT_EQ(FindGameFolder(root_ / "bin"), (root_ / "bin").string() + "/");
    fs::remove(root_ / "bin" / "Image1.bmp");
    ASSERT_EQ(::mkfifo((root_ / "bin" / "Image1.bmp").c_str(), 0600), 0);
    EXPECT_EQ(FindGameFolder(root_ / "bin"), (root_ / "bin").string() + "/");
}

TEST_F(GameFolderTest, MissingFilesAreReportedNamingEveryPlaceSearched) {
    Touch(root_ / "share" / "brannock" / "image1.bmp"); // case matters
    try {
        FindGameFolder(root_ / "bin");
        FAIL() << "no game folder, yet one was found";
    } catch (const EGameFilesMissing& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find((root_ / "bin").string()), std::string::npos) << message;
        EXPECT_NE(message.find((root_ / "share" / "brannock").string()), std::string::npos)
            << message;
        EXPECT_NE(message.find("Image1.bmp"), std::string::npos) << message;
    }
}

} // namespace
