// Drawing on several threads: the same picture for any thread count, and the pieces the
// threads share.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <numeric>
#include <stdexcept>
#include <thread>

#include "scene/engine/draw_threads.h"
#include "scene/engine/rm.h"
#include "scene/engine/strip_rasterizer.h"
#include "tests/engine/test_files.h"
#include "tools/bench/bench_scene.h"

namespace {

// Every frame of the render bench's camera path (every few at the large size), drawn by
// devices with 1, 2, 3 and 7 threads, is the same picture bit for bit, with the same
// triangle count, at sizes whose rows do not fill whole strips.
TEST(Threads, EveryFrameOfTheBenchPathIsTheSameForAnyThreadCount) {
    struct Row {
        int width, height;
        int frame_step;
    };
    constexpr int ThreadCounts[] = {1, 2, 3, 7};
    constexpr size_t Devices = std::size(ThreadCounts);
    engine_test::ScratchFolder folder;
    const std::filesystem::path dir = folder.Path("scene");
    bench_scene::WriteFiles(dir);
    for (const Row size : {Row{640, 480, 1}, Row{1001, 757, 1}, Row{2561, 1443, 7}}) {
        SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
        // One engine holds the scene; each device draws it with its own engine's threads.
        std::unique_ptr<rm::Engine> engines[Devices];
        std::unique_ptr<rm::Device> devices[Devices];
        const auto viewport = rm::CreateEngine()->CreateViewport(size.width, size.height);
        for (size_t i = 0; i < Devices; ++i) {
            engines[i] = rm::CreateEngine();
            engines[i]->SetRenderThreads(ThreadCounts[i]);
            devices[i] = engines[i]->CreateDevice();
            devices[i]->SetBackground(0);
            bench_scene::SetUpView(*devices[i], *viewport);
        }
        const rm::FramePtr root = engines[0]->CreateFrame(nullptr);
        const rm::FramePtr camera = engines[0]->CreateFrame(root);
        viewport->SetCamera(camera);
        bench_scene::Scene scene = bench_scene::Build(*engines[0], root, dir);

        const size_t pixel_count = static_cast<size_t>(size.width) * size.height;
        std::vector<uint32_t> one(pixel_count), many(pixel_count);
        auto render = [&](rm::Device& device, std::vector<uint32_t>& pixels) {
            pixels.assign(pixel_count, 0xFF00FFu); // the background must replace this
            return device.Render(*root, *viewport,
                                 {pixels.data(), size.width, size.height, size.width});
        };
        for (int n = 0; n < bench_scene::DefaultFrames; ++n) {
            bench_scene::Animate(root, camera, scene, n);
            if (n % size.frame_step != 0) continue;
            const int triangles = render(*devices[0], one);
            // A frame worth comparing: most of the picture is drawn.
            ASSERT_GT(triangles, 1000) << "frame " << n;
            ASSERT_GT(std::count_if(one.begin(), one.end(), [](uint32_t p) { return p != 0; }),
                      static_cast<ptrdiff_t>(pixel_count / 2))
                << "frame " << n;
            for (size_t i = 1; i < Devices; ++i) {
                const int threads = ThreadCounts[i];
                ASSERT_EQ(render(*devices[i], many), triangles)
                    << threads << " threads, frame " << n;
                const auto [at, _] = std::mismatch(one.begin(), one.end(), many.begin());
                ASSERT_TRUE(at == one.end()) << threads << " threads, frame " << n << ": pixel "
                                             << (at - one.begin()) % size.width << ", "
                                             << (at - one.begin()) / size.width << " differs";
            }
        }
    }
}

TEST(Threads, CountsFromTheEnvironmentAreWholeNumbersWithinTheLimit) {
    struct Row {
        const char* text;
        std::optional<int> count;
    };
    const Row rows[] = {
        {"1", 1}, {"2", 2},   {"64", 64}, {"0", {}},   {"65", {}},          {"-1", {}},
        {"", {}}, {"2x", {}}, {" 2", {}}, {"two", {}}, {"99999999999", {}},
    };
    for (const Row& row : rows) EXPECT_EQ(rm::ParseRenderThreads(row.text), row.count) << row.text;
    EXPECT_GE(rm::DefaultRenderThreads(), 1);
    EXPECT_LE(rm::DefaultRenderThreads(), rm::MaxRenderThreads);
}

TEST(Threads, EveryThreadTakesPartInEveryRunAndCountsCanChange) {
    rm::DrawThreads threads(3);
    for (const int count : {3, 1, 4}) {
        threads.SetCount(count);
        for (int run = 0; run < 20; ++run) {
            std::vector<std::atomic<int>> calls(static_cast<size_t>(count));
            const auto caller = std::this_thread::get_id();
            std::atomic<bool> zero_on_caller{false};
            threads.Run([&](int index) {
                ++calls[static_cast<size_t>(index)];
                if (index == 0) zero_on_caller = std::this_thread::get_id() == caller;
            });
            EXPECT_TRUE(zero_on_caller);
            for (const auto& c : calls) EXPECT_EQ(c.load(), 1) << count << " threads";
        }
    }
}

// The helpers work on what the caller's frame holds: Run returns only once every one of them
// is done, also when a share throws, and the first failure reaches the caller.
TEST(Threads, RunWaitsForEveryHelperWhenAShareThrows) {
    rm::DrawThreads threads(3);
    for (const int thrower : {0, 2}) {
        std::atomic<int> finished{0};
        EXPECT_THROW(threads.Run([&](int index) {
            if (index == thrower) throw std::runtime_error("share");
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            ++finished;
        }),
                     std::runtime_error);
        EXPECT_EQ(finished.load(), 2) << "share " << thrower << " threw";
        std::atomic<int> calls{0};
        threads.Run([&](int) { ++calls; });
        EXPECT_EQ(calls.load(), 3) << "after share " << thrower << " threw";
    }
}

// Strips are handed out each once, in order, whichever thread asks, and none past the last.
TEST(Threads, EveryStripIsTakenOnceByWhicheverThreadAsks) {
    struct Row {
        int strips, threads;
    };
    rm::StripClaims claims;
    rm::DrawThreads threads(1);
    for (const Row row : {Row{1, 1}, Row{270, 2}, Row{97, 3}, Row{5, 7}, Row{0, 2}}) {
        threads.SetCount(row.threads);
        claims.Reset(row.strips);
        std::vector<std::vector<int>> taken(static_cast<size_t>(row.threads));
        threads.Run([&](int index) {
            while (const std::optional<int> strip = claims.Next())
                taken[static_cast<size_t>(index)].push_back(*strip);
        });
        std::vector<int> all;
        for (const auto& own : taken) {
            EXPECT_TRUE(std::is_sorted(own.begin(), own.end()));
            all.insert(all.end(), own.begin(), own.end());
        }
        std::sort(all.begin(), all.end());
        std::vector<int> expected(static_cast<size_t>(row.strips));
        std::iota(expected.begin(), expected.end(), 0);
        EXPECT_EQ(all, expected) << row.strips << " strips, " << row.threads << " threads";
        EXPECT_FALSE(claims.Next().has_value());
    }
}

// The threads balance the work: while the others are held up, one thread takes every strip.
TEST(Threads, ThreadsHeldUpLeaveEveryStripToTheOneAtWork) {
    rm::StripClaims claims;
    rm::DrawThreads threads(3);
    claims.Reset(90);
    std::atomic<bool> done{false};
    std::vector<int> taken(3, 0);
    threads.Run([&](int index) {
        if (index != 0) {
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!done && std::chrono::steady_clock::now() < until) std::this_thread::yield();
        }
        while (claims.Next()) ++taken[static_cast<size_t>(index)];
        if (index == 0) done = true;
    });
    EXPECT_EQ(taken, (std::vector<int>{90, 0, 0}));
}

// Strips share the work out: each strip's colour and depth fit the cache budget the
// rasterizer keeps them in (a single row when not even one fits), and a picture has many
// strips (at least four for each of two threads), so that a thread finishing early finds
// more to take.
TEST(Threads, StripsFitTheCacheAndAreManyPerPicture) {
    struct Row {
        int width, height;
    };
    constexpr int StripBytes = 256 * 1024, PixelBytes = sizeof(uint32_t) + sizeof(float);
    for (const Row row : {Row{640, 480}, Row{1001, 757}, Row{1920, 1080}, Row{2561, 1443},
                          Row{3840, 2160}, Row{7680, 4320}, Row{1, 1}, Row{70000, 2}}) {
        const int rows = rm::StripRasterizer::StripRows(row.width);
        SCOPED_TRACE(std::to_string(row.width) + " wide: " + std::to_string(rows) + " rows");
        EXPECT_GE(rows, 1);
        EXPECT_TRUE(rows == 1 || rows * row.width * PixelBytes <= StripBytes);
        // Twice the rows would not fit: no strip is thinner than it need be, up to the cap.
        EXPECT_TRUE(rows == 64 || 2 * rows * row.width * PixelBytes > StripBytes);
        EXPECT_TRUE(row.height < 480 || (row.height + rows - 1) / rows >= 4 * 2);
    }
}

} // namespace
