// Drawing on several threads: the same picture for any thread count, and the pieces the
// threads share.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "scene/engine/draw_queue.h"
#include "scene/engine/draw_threads.h"
#include "scene/engine/rm.h"
#include "tests/engine/test_files.h"
#include "tools/bench/bench_scene.h"

namespace {

struct Size {
    int width, height;
};

// Every frame of the render bench's camera path, drawn by devices with 1, 2 and 3
// threads, is the same picture bit for bit, with the same triangle count.
TEST(Threads, EveryFrameOfTheBenchPathIsTheSameForAnyThreadCount) {
    engine_test::ScratchFolder folder;
    const std::filesystem::path dir = folder.Path("scene");
    bench_scene::WriteFiles(dir);
    for (const Size size : {Size{640, 480}, Size{1001, 757}}) {
        SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
        // One engine holds the scene; each device draws it with its own engine's threads.
        std::unique_ptr<rm::Engine> engines[3];
        std::unique_ptr<rm::Device> devices[3];
        const auto viewport = rm::CreateEngine()->CreateViewport(size.width, size.height);
        for (int i = 0; i < 3; ++i) {
            engines[i] = rm::CreateEngine();
            engines[i]->SetRenderThreads(i + 1);
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
            const int triangles = render(*devices[0], one);
            // A frame worth comparing: most of the picture is drawn.
            ASSERT_GT(triangles, 1000) << "frame " << n;
            ASSERT_GT(std::count_if(one.begin(), one.end(), [](uint32_t p) { return p != 0; }),
                      static_cast<ptrdiff_t>(pixel_count / 2))
                << "frame " << n;
            for (int i = 1; i < 3; ++i) {
                ASSERT_EQ(render(*devices[i], many), triangles) << i + 1 << " threads, frame " << n;
                const auto [at, _] = std::mismatch(one.begin(), one.end(), many.begin());
                ASSERT_TRUE(at == one.end()) << i + 1 << " threads, frame " << n << ": pixel "
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

// Readers on other threads see every command, in order, while the writer is still at it,
// across several chunks of storage and a second use of the same queue.
TEST(Threads, ReadersGetEveryCommandInOrderWhileItIsWritten) {
    rm::DrawQueue queue;
    rm::DrawThreads threads(3);
    for (const uint32_t total : {5000u, 1200u}) {
        queue.Reset();
        std::vector<std::vector<uint32_t>> seen(3);
        threads.Run([&](int index) {
            if (index == 0) {
                for (uint32_t i = 0; i < total; ++i) {
                    queue.Push({}, {}, {}, {}, i);
                    if (i % 700 == 0) queue.Publish();
                }
                queue.Close();
            }
            queue.ReadAll([&](const rm::DrawCommand& c) { seen[index].push_back(c.face); }, [] {},
                          [] {});
        });
        for (const auto& faces : seen) {
            ASSERT_EQ(faces.size(), total);
            for (uint32_t i = 0; i < total; ++i) ASSERT_EQ(faces[i], i);
        }
    }
}

} // namespace
