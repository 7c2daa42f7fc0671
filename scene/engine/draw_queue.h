// Triangles on their way from the thread that prepares a frame to the threads that draw
// it. One thread writes; any number read the same triangles in the same order, each at its
// own pace, while more are still being written. Storage is kept from frame to frame.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "scene/engine/rasterizer.h"

namespace rm {

struct DrawCommand {
    ScreenVertex corner[3];
    TriangleStyle style;
    uint32_t face = 0; // a clipped face gives several triangles with the same number
};

class DrawQueue {
    static constexpr uint32_t ChunkSize = 512;
    struct Chunk {
        std::array<DrawCommand, ChunkSize> commands;
        Chunk* next = nullptr;
    };
    static constexpr uint32_t Closed = 1u << 31; // in published_: nothing more will come

public:
    DrawQueue() { Reset(); }

    // Empties the queue; no reader may be at it.
    void Reset() {
        if (chunks_.empty()) chunks_.push_back(std::make_unique<Chunk>());
        first_ = write_chunk_ = chunks_.front().get();
        written_ = 0;
        woken_at_ = 0;
        chunk_index_ = 0;
        published_.store(0, std::memory_order_relaxed);
    }

    // The writer's side. Push makes the triangle visible to readers at the next Publish
    // (or on its own every few dozen triangles); Close publishes the rest and ends it.
    // Sleeping readers are woken only once many triangles are waiting for them, so that a
    // reader faster than the writer does not wake for every few triangles.
    void Push(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
              const TriangleStyle& style, uint32_t face) {
        if (written_ != 0 && written_ % ChunkSize == 0) NextChunk();
        DrawCommand& command = write_chunk_->commands[written_ % ChunkSize];
        command.corner[0] = a;
        command.corner[1] = b;
        command.corner[2] = c;
        command.style = style;
        command.face = face;
        ++written_;
        if (written_ % PublishEvery == 0) Publish();
    }
    void Publish() {
        published_.store(written_, std::memory_order_release);
        if (written_ - woken_at_ >= WakeEvery) Wake();
    }
    void Close() {
        published_.store(written_ | Closed, std::memory_order_release);
        Wake();
    }
    uint32_t Size() const { return written_; }

    // The reader's side: draw(command) for every triangle, waiting (asleep) for the writer
    // when caught up, until the queue is closed. wait_start and wait_end are called around
    // every wait.
    template <class Draw, class WaitStart, class WaitEnd>
    void ReadAll(Draw&& draw, WaitStart&& wait_start, WaitEnd&& wait_end) const {
        const Chunk* chunk = first_;
        uint32_t read = 0;
        for (;;) {
            const uint32_t state = published_.load(std::memory_order_acquire);
            const uint32_t available = state & ~Closed;
            for (; read < available; ++read) {
                if (read != 0 && read % ChunkSize == 0) chunk = chunk->next;
                draw(chunk->commands[read % ChunkSize]);
            }
            if ((state & Closed) != 0) return;
            wait_start();
            published_.wait(state, std::memory_order_acquire);
            wait_end();
        }
    }

private:
    static constexpr uint32_t PublishEvery = 64;
    static constexpr uint32_t WakeEvery = 1024;

    void NextChunk() {
        ++chunk_index_;
        if (chunk_index_ == chunks_.size()) {
            chunks_.push_back(std::make_unique<Chunk>());
            write_chunk_->next = chunks_.back().get();
        }
        write_chunk_ = write_chunk_->next;
    }
    void Wake() {
        woken_at_ = written_;
        published_.notify_all();
    }

    // The writer's own; readers follow the chunks' next links from first_.
    std::vector<std::unique_ptr<Chunk>> chunks_;
    size_t chunk_index_ = 0;
    Chunk* write_chunk_ = nullptr;
    uint32_t written_ = 0;
    uint32_t woken_at_ = 0; // written_ when the readers were last woken
    const Chunk* first_ = nullptr;
    std::atomic<uint32_t> published_{0};
};

} // namespace rm
