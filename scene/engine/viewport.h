// The viewport: the camera frame, the front and back clipping distances and the field of
// view over a rectangle of the surface.
#pragma once

#include "scene/engine/rm.h"

namespace rm {

class ViewportImpl final : public Viewport {
public:
    ViewportImpl(int width, int height) : width_(width), height_(height) {}
    void SetFront(float d) override { front_ = d; }
    void SetBack(float d) override { back_ = d; }
    void SetCamera(FramePtr camera) override { camera_ = std::move(camera); }
    void SetField(float field) override { field_ = field; }
    float GetFront() const override { return front_; }
    float GetBack() const override { return back_; }
    FramePtr GetCamera() const override { return camera_; }
    float GetField() const override { return field_; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }

private:
    int width_;
    int height_;
    // The retained-mode defaults.
    float front_ = 1.0f;
    float back_ = 100.0f;
    float field_ = 0.5f;
    FramePtr camera_;
};

} // namespace rm
