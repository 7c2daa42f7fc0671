// Rendering facts of the software device, checked on small surfaces.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "scene/engine/clipper.h"
#include "scene/engine/rasterizer.h"
#include "scene/engine/rm.h"
#include "tests/engine/test_files.h"

namespace {

using engine_test::Ground;
using engine_test::QuadX;
using engine_test::ScratchFolder;
using engine_test::ToX;
using engine_test::WriteBmp24;
using engine_test::WriteText;

constexpr int Width = 64;
constexpr int Height = 48;

int Red(uint32_t c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
int Green(uint32_t c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
int Blue(uint32_t c) {
    return static_cast<int>(c & 0xFF);
}

// A camera at the origin looking along +z, full white ambient light, a 64 x 48 surface.
// With the field 0.5 one unit at depth 1 spans 64 pixels, centred on (32, 24).
class Rendering : public ::testing::Test {
protected:
    Rendering() {
        camera->SetPosition(nullptr, 0, 0, 0);
        viewport->SetCamera(camera);
        viewport->SetBack(5000);
        device->SetRenderMode(rm::RenderModeBlendedTransparency | rm::RenderModeSortedTransparency);
        root->AddLight(ambient);
    }

    rm::MeshBuilderPtr Mesh(const std::string& x_text) {
        const std::string path = folder.Path("mesh" + std::to_string(count++) + ".x");
        WriteText(path, x_text);
        auto mesh = engine->CreateMeshBuilder();
        EXPECT_TRUE(mesh->Load(path));
        return mesh;
    }
    rm::FramePtr Show(const rm::MeshBuilderPtr& mesh) {
        auto frame = engine->CreateFrame(root);
        frame->AddVisual(mesh);
        return frame;
    }
    int Render() {
        pixels.assign(Width * Height, 0);
        return device->Render(*root, *viewport, {pixels.data(), Width, Height, Width});
    }
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y * Width + x)]; }

    ScratchFolder folder;
    int count = 0;
    std::unique_ptr<rm::Engine> engine = rm::CreateEngine();
    rm::FramePtr root = engine->CreateFrame(nullptr);
    rm::FramePtr camera = engine->CreateFrame(root);
    std::unique_ptr<rm::Viewport> viewport = engine->CreateViewport(Width, Height);
    std::unique_ptr<rm::Device> device = engine->CreateDevice();
    rm::LightPtr ambient = engine->CreateLightRGB(rm::LightType::Ambient, 1, 1, 1);
    std::vector<uint32_t> pixels;
};

TEST_F(Rendering, LitSquareLandsWhereTheProjectionPutsIt) {
    // x from -0.5 to 0.5 and y from -0.25 to 0.25 at depth 2: pixels 16..47 by 16..31.
    Show(Mesh(QuadX(-0.5f, -0.25f, 0.5f, 0.25f, 2, 1.0f, 0.5f, 0.0f, 1.0f)));
    EXPECT_EQ(Render(), 2);
    EXPECT_EQ(At(16, 16), 0xFF7F00u);
    EXPECT_EQ(At(47, 31), 0xFF7F00u);
    EXPECT_EQ(At(32, 24), 0xFF7F00u);
    EXPECT_EQ(At(15, 20), 0u);
    EXPECT_EQ(At(48, 20), 0u);
    EXPECT_EQ(At(30, 15), 0u);
    EXPECT_EQ(At(30, 32), 0u);
    int lit = 0;
    for (uint32_t p : pixels) lit += p != 0 ? 1 : 0;
    EXPECT_EQ(lit, 32 * 16);

    // The ambient light scales the colour.
    root->DeleteLight(ambient);
    root->AddLight(engine->CreateLightRGB(rm::LightType::Ambient, 0.5f, 0.5f, 0.5f));
    Render();
    EXPECT_NEAR(Red(At(32, 24)), 127, 1);
    EXPECT_NEAR(Green(At(32, 24)), 63, 1);
}

TEST_F(Rendering, CameraAndFrameTransformsMoveThePicture) {
    auto frame = Show(Mesh(QuadX(-0.25f, -0.25f, 0.25f, 0.25f, 0, 1, 1, 1, 1)));
    frame->SetPosition(nullptr, 0.5f, 0, 2); // centre projects to x = 32 + 16 = 48
    Render();
    EXPECT_NE(At(48, 24), 0u);
    EXPECT_EQ(At(32, 24), 0u);
    // Turning the camera toward the square brings it to the centre.
    camera->SetOrientation(nullptr, 0.5f, 0, 2, 0, 1, 0);
    Render();
    EXPECT_NE(At(32, 24), 0u);
    // A scale of 2 doubles its size on the screen: 32 pixels wide instead of 16.
    camera->SetOrientation(nullptr, 0, 0, 1, 0, 1, 0);
    frame->AddScale(rm::CombineType::Replace, 2, 2, 2);
    frame->SetPosition(nullptr, 0, 0, 2);
    Render();
    EXPECT_NE(At(16, 24), 0u);
    EXPECT_NE(At(47, 24), 0u);
    EXPECT_EQ(At(15, 24), 0u);
    EXPECT_EQ(At(48, 24), 0u);
}

TEST_F(Rendering, TheNearerFaceWinsWhateverTheOrder) {
    auto near_mesh = Mesh(QuadX(-1, -1, 1, 1, 3, 1, 0, 0, 1));
    auto far_mesh = Mesh(QuadX(-1, -1, 1, 1, 4, 0, 0, 1, 1));
    Show(near_mesh);
    Show(far_mesh);
    Render();
    EXPECT_EQ(At(32, 24), 0xFF0000u);
    // The same two faces on one frame, the far one listed first.
    auto frame = engine->CreateFrame(nullptr);
    frame->AddVisual(far_mesh);
    frame->AddVisual(near_mesh);
    root = engine->CreateFrame(nullptr);
    root->AddLight(ambient);
    root->AddChild(frame);
    Render();
    EXPECT_EQ(At(32, 24), 0xFF0000u);
}

TEST_F(Rendering, FacesSeenFromBehindAreNotDrawn) {
    auto frame = Show(Mesh(QuadX(-1, -1, 1, 1, 0, 1, 1, 1, 1)));
    frame->SetPosition(nullptr, 0, 0, 3);
    Render();
    EXPECT_NE(At(32, 24), 0u);
    frame->SetOrientation(nullptr, 0, 0, -1, 0, 1, 0); // turned round: its back faces us
    EXPECT_EQ(Render(), 0);
    EXPECT_EQ(At(32, 24), 0u);
}

TEST_F(Rendering, NothingBeyondTheBackDistanceOrBeforeTheFront) {
    auto frame = Show(Mesh(QuadX(-1, -1, 1, 1, 0, 1, 1, 1, 1)));
    frame->SetPosition(nullptr, 0, 0, 10);
    viewport->SetBack(9.5f);
    EXPECT_EQ(Render(), 0);
    EXPECT_EQ(At(32, 24), 0u);
    viewport->SetBack(10.5f);
    EXPECT_EQ(Render(), 2);
    EXPECT_NE(At(32, 24), 0u);
    viewport->SetFront(10.5f);
    viewport->SetBack(100);
    EXPECT_EQ(Render(), 0);
}

TEST_F(Rendering, TheBackPlaneCutsAFloorAtItsDistance) {
    // A floor at y = -1 from z = 1 to z = 21, cut by the back plane at z = 5: the horizon
    // of the cut lies at y = 24 + 64 / 5 = 36.8, so row 37 is drawn and row 36 is not.
    auto floor = Show(Mesh(QuadX(-20, -10, 20, 10, 0, 1, 1, 1, 1)));
    floor->SetOrientation(nullptr, 0, -1, 0, 0, 0, 1); // face up
    floor->SetPosition(nullptr, 0, -1, 11);
    viewport->SetBack(5);
    Render();
    EXPECT_NE(At(32, 38), 0u);
    EXPECT_EQ(At(32, 36), 0u);
    EXPECT_EQ(At(32, 30), 0u);
    viewport->SetBack(5000);
    Render();
    EXPECT_NE(At(32, 30), 0u); // the horizon of the whole floor: 24 + 64 / 21 = 27
}

TEST_F(Rendering, AFloorReachingBehindTheCameraIsCutAtTheFront) {
    // From z = -10 to z = 10 at y = -1: the part before the front plane is cut away and the
    // rest drawn, down to the bottom row; the far edge's horizon is 24 + 64 / 10 = 30.4.
    auto floor = Show(Mesh(QuadX(-20, -10, 20, 10, 0, 1, 1, 1, 1)));
    floor->SetOrientation(nullptr, 0, -1, 0, 0, 0, 1);
    floor->SetPosition(nullptr, 0, -1, 0);
    EXPECT_GT(Render(), 0);
    EXPECT_NE(At(32, 47), 0u);
    EXPECT_NE(At(0, 47), 0u);
    EXPECT_NE(At(32, 31), 0u);
    EXPECT_EQ(At(32, 29), 0u);
}

TEST_F(Rendering, AFrameStretchedAlongItsDepthReachesAsFarAsItsScale) {
    // A unit square on y = -1, stretched by its frame to z = -20 ... 20: its bounds grow
    // with its longest axis, here the depth, so it is not taken as lying behind the front.
    auto strip = Show(Mesh(ToX(Ground(0.5f, 1, 1))));
    strip->AddScale(rm::CombineType::Replace, 1, 1, 40);
    strip->SetPosition(nullptr, 0, -1, 0);
    EXPECT_GT(Render(), 0);
    EXPECT_NE(At(32, 40), 0u);
}

TEST_F(Rendering, HalfAlphaBlendsHalfAndHalfAfterTheOpaqueFaces) {
    auto glass = Mesh(QuadX(-1, -1, 1, 1, 2, 1, 0, 0, 1));
    glass->SetColor(rm::CreateColorRGBA(1, 0, 0, 0.5f));
    Show(glass); // listed first and nearer: still drawn after the wall behind it
    Show(Mesh(QuadX(-1, -1, 1, 1, 4, 0, 0, 1, 1)));
    Render();
    EXPECT_NEAR(Red(At(32, 24)), 127, 1);
    EXPECT_NEAR(Blue(At(32, 24)), 127, 1);
    EXPECT_EQ(Green(At(32, 24)), 0);

    // Without blended transparency the glass is drawn solid.
    device->SetRenderMode(0);
    Render();
    EXPECT_EQ(At(32, 24), 0xFF0000u);
}

TEST_F(Rendering, TranslucentFacesAreSortedBackToFront) {
    auto red = Mesh(QuadX(-1, -1, 1, 1, 2, 1, 0, 0, 1));
    red->SetColor(rm::CreateColorRGBA(1, 0, 0, 0.5f));
    auto green = Mesh(QuadX(-1, -1, 1, 1, 3, 0, 1, 0, 1));
    green->SetColor(rm::CreateColorRGBA(0, 1, 0, 0.5f));
    Show(red);
    Show(green);
    Render();
    // Green over black, then red over that: red 127, green 63.
    EXPECT_NEAR(Red(At(32, 24)), 127, 1);
    EXPECT_NEAR(Green(At(32, 24)), 63, 1);
    // An opaque face in front hides both.
    Show(Mesh(QuadX(-1, -1, 1, 1, 1.5f, 1, 1, 1, 1)));
    Render();
    EXPECT_EQ(At(32, 24), 0xFFFFFFu);
}

TEST_F(Rendering, DecalTransparentTexelsAreNotDrawn) {
    // Left half of the picture black, right half white, on a quad over a blue wall.
    WriteBmp24(folder.Path("half.bmp"), 2, 1, {0x000000, 0xFFFFFF});
    auto texture = engine->LoadTexture(folder.Path("half.bmp"));
    ASSERT_NE(texture, nullptr);
    auto decal = Mesh(QuadX(-0.5f, -0.5f, 0.5f, 0.5f, 2, 1, 1, 1, 1));
    decal->SetTexture(texture);
    Show(decal);
    Show(Mesh(QuadX(-2, -2, 2, 2, 4, 0, 0, 1, 1)));
    Render();
    EXPECT_EQ(At(24, 24), 0x000000u); // black texels are drawn while decal is off
    EXPECT_EQ(At(40, 24), 0xFFFFFFu);
    texture->SetDecalTransparency(true);
    texture->SetDecalTransparentColor(0);
    Render();
    EXPECT_EQ(At(24, 24), 0x0000FFu); // the wall shows through
    EXPECT_EQ(At(40, 24), 0xFFFFFFu);
    // Texels are multiplied by the lit face colour.
    decal->SetColorRGB(1, 0.5f, 0);
    Render();
    EXPECT_EQ(At(40, 24), 0xFF7F00u);
}

TEST_F(Rendering, LinearQualityMixesNeighbouringTexels) {
    // Black and white texels side by side, stretched over 32 pixels: nearest quality shows
    // only the two, linear quality a ramp between them across the middle.
    WriteBmp24(folder.Path("half.bmp"), 2, 1, {0x000000, 0xFFFFFF});
    auto square = Mesh(QuadX(-0.5f, -0.5f, 0.5f, 0.5f, 2, 1, 1, 1, 1));
    square->SetTexture(engine->LoadTexture(folder.Path("half.bmp")));
    Show(square);
    Render();
    EXPECT_EQ(At(30, 24), 0x000000u);
    EXPECT_EQ(At(33, 24), 0xFFFFFFu);
    device->SetTextureQuality(rm::TextureLinear);
    Render();
    const int left = Red(At(28, 24)), middle = Red(At(32, 24)), right = Red(At(36, 24));
    EXPECT_LT(left, middle);
    EXPECT_LT(middle, right);
    EXPECT_GT(middle, 64);
    EXPECT_LT(middle, 192);
}

TEST_F(Rendering, PerspectiveCorrectTexturesFollowDepth) {
    // A wall receding from z = 1 at the left to z = 3 at the right, textured left black and
    // right white. The texture's middle is the wall's middle (0, 0, 2), which projects to
    // x = 32; without perspective correction the boundary sits halfway between the
    // projected ends, -64 and 32 + 0.5 * 64 / 3: further left.
    WriteBmp24(folder.Path("half.bmp"), 2, 1, {0x000000, 0xFFFFFF});
    std::string x = QuadX(-1, -1, 1, 1, 0, 1, 1, 1, 1);
    auto wall = Mesh(x);
    wall->SetTexture(engine->LoadTexture(folder.Path("half.bmp")));
    auto frame = Show(wall);
    frame->SetOrientation(nullptr, -1, 0, 1, 0, 1, 0);
    frame->SetPosition(nullptr, 0, 0, 2);
    wall->Scale(std::sqrt(2.0f), 0.2f, 1);
    wall->SetPerspective(true);
    Render();
    EXPECT_EQ(At(30, 24), 0x000000u);
    EXPECT_EQ(At(33, 24), 0xFFFFFFu);
    wall->SetPerspective(false);
    Render();
    EXPECT_EQ(At(30, 24), 0xFFFFFFu);
}

TEST_F(Rendering, PointLightFallsOffWithItsAttenuation) {
    root->DeleteLight(ambient);
    Show(Mesh(QuadX(-0.5f, -0.5f, 0.5f, 0.5f, 2, 1, 1, 1, 1)));
    auto holder = engine->CreateFrame(root);
    auto lamp = engine->CreateLightRGB(rm::LightType::Point, 0.25f, 0.25f, 0.25f);
    holder->AddLight(lamp);
    // Every corner lies at the same distance d from the light on the axis, with
    // n . l = (2 - z) / d, so the whole square has the corners' value.
    auto expected = [](float light_z, float constant, float linear) {
        const float along = 2.0f - light_z;
        const float d = std::sqrt(0.5f + along * along);
        const float value = 0.25f * (along / d) / (constant + linear * d);
        return std::min(value, 1.0f) * 255.0f;
    };
    // The default attenuation (constant 1, linear 0) does not fall off.
    holder->SetPosition(nullptr, 0, 0, -2);
    Render();
    EXPECT_NEAR(Red(At(32, 24)), expected(-2, 1, 0), 1.0);
    holder->SetPosition(nullptr, 0, 0, -20);
    Render();
    EXPECT_NEAR(Red(At(32, 24)), expected(-20, 1, 0), 1.0);
    EXPECT_GT(Red(At(32, 24)), 60);

    lamp->SetConstantAttenuation(0);
    lamp->SetLinearAttenuation(0.125f);
    holder->SetPosition(nullptr, 0, 0, -2);
    Render();
    const int at_4 = Red(At(32, 24));
    EXPECT_NEAR(at_4, expected(-2, 0, 0.125f), 1.0);
    holder->SetPosition(nullptr, 0, 0, -6);
    Render();
    const int at_8 = Red(At(32, 24));
    EXPECT_NEAR(at_8, expected(-6, 0, 0.125f), 1.0);
    EXPECT_GT(at_4, at_8 * 19 / 10); // about twice as far, about half as bright

    // A light behind the face does not light it.
    holder->SetPosition(nullptr, 0, 0, 5);
    Render();
    EXPECT_EQ(At(32, 24), 0u);
    // Two lights add up and the sum is clamped.
    lamp->SetLinearAttenuation(0.001f);
    holder->SetPosition(nullptr, 0, 0, 1);
    Render();
    EXPECT_EQ(Red(At(32, 24)), 255);
}

TEST_F(Rendering, NothingToDrawIsNotAnError) {
    Show(engine->CreateMeshBuilder()); // an empty builder: a mesh file that was not found
    EXPECT_EQ(Render(), 0);
    viewport->SetCamera(nullptr);
    Show(Mesh(QuadX(-1, -1, 1, 1, 2, 1, 1, 1, 1)));
    EXPECT_EQ(Render(), 0);
    EXPECT_EQ(At(32, 24), 0u);
    // A surface smaller than the viewport is drawn only as far as it goes: the square
    // covering the viewport fills it, a small one in the viewport's middle misses it.
    viewport->SetCamera(camera);
    std::vector<uint32_t> small(8 * 8, 0);
    EXPECT_EQ(device->Render(*root, *viewport, {small.data(), 8, 8, 8}),
              1); // one triangle reaches it
    EXPECT_EQ(small[0], 0xFFFFFFu);
    EXPECT_EQ(small[63], 0xFFFFFFu);
    root = engine->CreateFrame(nullptr);
    root->AddLight(ambient);
    Show(Mesh(QuadX(-0.1f, -0.1f, 0.1f, 0.1f, 2, 1, 1, 1, 1)));
    small.assign(small.size(), 0);
    EXPECT_EQ(device->Render(*root, *viewport, {small.data(), 8, 8, 8}), 0);
    EXPECT_EQ(small[63], 0u);
}

// Each channel of a Gouraud-shaded triangle, at every pixel centre well inside it, is its
// corners' values weighted by the centre's barycentric coordinates, worked out here in
// doubles apart from the rasterizer's planes. No two corners or channels are alike, so a
// channel taking another corner's or channel's value shows.
TEST(GouraudShading, EveryChannelFollowsItsCornersByBarycentricWeights) {
    struct Corner {
        float x, y, r, g, b;
    };
    const std::array<Corner, 3> rows[] = {
        {{{4, 3, 255, 0, 40}, {60, 10, 0, 255, 90}, {20, 45, 30, 60, 255}}},
        {{{50, 2, 10, 200, 90}, {62, 40, 240, 30, 160}, {3, 30, 120, 250, 5}}},
        {{{2, 46, 0, 128, 255}, {33, 1, 255, 100, 0}, {61, 46, 64, 0, 192}}},
    };
    constexpr int W = 64, H = 48;
    for (const auto& [a, b, c] : rows) {
        std::vector<uint32_t> pixels(W * H, 0);
        std::vector<float> depth(W * H);
        std::vector<uint8_t> ready(H, 0);
        const auto vertex = [](const Corner& k) {
            return rm::ScreenVertex{k.x, k.y, 0.5f, k.r, k.g, k.b};
        };
        rm::SetUpTriangle t;
        ASSERT_TRUE(rm::SetUp(vertex(a), vertex(b), vertex(c), {}, H, t));
        rm::DrawRows(t, {pixels.data(), W, depth.data(), W, 0, H, ready.data()});
        const auto cross = [](double x0, double y0, double x1, double y1) {
            return x0 * y1 - x1 * y0;
        };
        const double area = cross(b.x - a.x, b.y - a.y, c.x - a.x, c.y - a.y);
        int checked = 0;
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x) {
                const double px = x + 0.5, py = y + 0.5;
                const double wa = cross(b.x - px, b.y - py, c.x - px, c.y - py) / area;
                const double wb = cross(c.x - px, c.y - py, a.x - px, a.y - py) / area;
                const double wc = 1 - wa - wb;
                if (std::min({wa, wb, wc}) < 0.05) continue; // near an edge or outside
                ++checked;
                const uint32_t p = pixels[static_cast<size_t>(y * W + x)];
                ASSERT_NEAR(Red(p), wa * a.r + wb * b.r + wc * c.r, 1.0) << x << "," << y;
                ASSERT_NEAR(Green(p), wa * a.g + wb * b.g + wc * c.g, 1.0) << x << "," << y;
                ASSERT_NEAR(Blue(p), wa * a.b + wb * b.b + wc * c.b, 1.0) << x << "," << y;
            }
        }
        EXPECT_GT(checked, 300);
    }
}

// A corner the clipper adds on an edge takes the colour and the texture coordinates found at
// the same fraction of that edge as its position: checked against each edge of the triangle.
TEST(Clipping, ACutCornerTakesTheColourAndTextureAtItsPlaceOnTheEdge) {
    const rm::Clipper clipper(1.0f, 100.0f, 1.0f, 1.0f);
    const std::array<rm::ClipVertex, 3> rows[] = {
        {{{{0, 0, 0.5f}, {255, 0, 40}, {0, 1}}, // across the front plane
          {{0.2f, 0, 3}, {0, 255, 90}, {1, 0}},
          {{0, 0.2f, 3}, {30, 60, 255}, {0.5f, 0.5f}}}},
        {{{{0, 0, 50}, {10, 200, 90}, {0.25f, 0}}, // across the back plane
          {{1, 0, 150}, {240, 30, 160}, {1, 1}},
          {{0, 1, 60}, {120, 250, 5}, {0, 0.75f}}}},
        {{{{0, 0, 5}, {0, 128, 255}, {0, 0}}, // across a side plane
          {{9, 0, 5}, {255, 100, 0}, {1, 0}},
          {{0, 2, 5}, {64, 0, 192}, {0, 1}}}},
    };
    for (const auto& triangle : rows) {
        rm::ClipVertex polygon[rm::MaxClipVertices] = {triangle[0], triangle[1], triangle[2]};
        uint32_t planes = 0;
        for (const rm::ClipVertex& v : triangle) planes |= clipper.Outcode(v.position);
        const int count = clipper.Clip(polygon, 3, planes);
        ASSERT_GE(count, 3);
        int cut = 0;
        for (int i = 0; i < count; ++i) {
            for (int e = 0; e < 3; ++e) {
                const rm::ClipVertex& a = triangle[e];
                const rm::ClipVertex& b = triangle[(e + 1) % 3];
                const glm::vec3 edge = b.position - a.position;
                const float t =
                    glm::dot(polygon[i].position - a.position, edge) / glm::dot(edge, edge);
                const glm::vec3 off = polygon[i].position - (a.position + edge * t);
                if (t <= 0.001f || t >= 0.999f || glm::length(off) > 1e-4f) continue;
                ++cut;
                for (int c = 0; c < 3; ++c)
                    EXPECT_NEAR(polygon[i].colour[c], a.colour[c] + (b.colour[c] - a.colour[c]) * t,
                                0.01f);
                for (int c = 0; c < 2; ++c)
                    EXPECT_NEAR(polygon[i].uv[c], a.uv[c] + (b.uv[c] - a.uv[c]) * t, 1e-4f);
            }
        }
        EXPECT_GE(cut, 2);
    }
}

} // namespace
