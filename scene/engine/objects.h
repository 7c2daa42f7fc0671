// The engine's lights, textures and viewport.
#pragma once

#include <cstdint>
#include <vector>

#include "scene/engine/rm.h"

namespace rm {

struct Colour {
    float r = 1, g = 1, b = 1, a = 1;
};

class LightImpl final : public Light {
public:
    LightImpl(LightType type, Colour colour) : type_(type), colour_(colour) {}
    void SetConstantAttenuation(float c) override { constant_ = c; }
    void SetLinearAttenuation(float k) override { linear_ = k; }
    LightType Type() const { return type_; }
    Colour GetColour() const { return colour_; }
    float Constant() const { return constant_; }
    float Linear() const { return linear_; }

private:
    LightType type_;
    Colour colour_;
    float constant_ = 1;
    float linear_ = 0;
};

// A picture for texturing, kept at power-of-two sides so wrapping is a mask. Each texel is
// 0xAARRGGBB with alpha 0 for a texel of the decal colour while decal transparency is on.
class TextureImpl final : public Texture {
public:
    // pixels: 0x00RRGGBB, row 0 at the top, width * height of them.
    TextureImpl(int width, int height, const std::vector<uint32_t>& pixels);
    void SetDecalTransparency(bool on) override;
    void SetDecalTransparentColor(uint32_t rgb) override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int WidthShift() const { return width_shift_; }
    const uint32_t* Texels() const { return texels_.data(); }
    bool Decal() const { return decal_; }

private:
    void MarkDecalTexels();

    int width_ = 1, height_ = 1, width_shift_ = 0;
    std::vector<uint32_t> texels_;
    bool decal_ = false;
    uint32_t decal_colour_ = 0;
};

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
    float Field() const { return field_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_, height_;
    float front_ = 1.0f;
    float back_ = 100.0f;
    float field_ = 0.5f;
    FramePtr camera_;
};

} // namespace rm
