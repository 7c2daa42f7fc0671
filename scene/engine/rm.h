// Retained-mode 3D engine: frames, mesh builders, lights, textures, viewport and a
// software device. The game talks to the 3D world only through these operations.
//
// Conventions: left-handed world, +y up; a frame looks along its own +z with +y up.
// Positions and orientations are given relative to a reference frame; a null reference
// means the world (the scene root's coordinates). Objects are shared: one mesh builder or
// light may hang on many frames at once.
//
// Failures: the engine throws nothing for what it reads and prints nothing. A file it
// cannot read leaves the object empty (Load gives false, LoadTexture null) and is told to
// the host's reporter (Engine::SetReporter). Results of the other operations need no check.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rm {

struct Vector {
    float x = 0, y = 0, z = 0;
};

class Frame;
class MeshBuilder;
class Light;
class Texture;
using FramePtr = std::shared_ptr<Frame>;
using MeshBuilderPtr = std::shared_ptr<MeshBuilder>;
using LightPtr = std::shared_ptr<Light>;
using TexturePtr = std::shared_ptr<Texture>;

enum class LightType { Ambient = 0, Point = 1 };
enum class CombineType { Replace };

// Render-mode flags of the device.
constexpr uint32_t RenderModeBlendedTransparency = 1;
constexpr uint32_t RenderModeSortedTransparency = 2;
// Texture quality of the device.
constexpr int TextureNearest = 0;
constexpr int TextureLinear = 1;

// Threads drawing each frame, the caller's own included: at most this many.
constexpr int MaxRenderThreads = 64;
// One for every processor core of the machine.
int DefaultRenderThreads();
// A thread count written as a whole number from 1 to MaxRenderThreads, and nothing else.
std::optional<int> ParseRenderThreads(std::string_view text);

// Packs a colour as alpha << 24 | red << 16 | green << 8 | blue, each channel the
// float times 255, truncated.
uint32_t CreateColorRGBA(float r, float g, float b, float a);

class Texture {
public:
    virtual ~Texture() = default;
    virtual void SetDecalTransparency(bool on) = 0;
    // Colour given as 0xRRGGBB; texels of that colour are not drawn when decal
    // transparency is on.
    virtual void SetDecalTransparentColor(uint32_t rgb) = 0;
};

class Light {
public:
    virtual ~Light() = default;
    virtual void SetConstantAttenuation(float c) = 0; // default 1
    virtual void SetLinearAttenuation(float k) = 0;   // default 0
};

class MeshBuilder {
public:
    virtual ~MeshBuilder() = default;
    // Reads a .x mesh file, text or binary (a compressed one is refused). A file that
    // cannot be read leaves the builder as it was (empty for a fresh one) and returns
    // false; nothing is thrown.
    virtual bool Load(const std::string& path) = 0;
    virtual void Scale(float sx, float sy, float sz) = 0;
    virtual void Translate(float tx, float ty, float tz) = 0;
    virtual void SetColorRGB(float r, float g, float b) = 0;
    virtual void SetColor(uint32_t packed_argb) = 0;
    virtual void SetTexture(TexturePtr texture) = 0;
    virtual void SetPerspective(bool on) = 0;
    virtual int FaceCount() const = 0;
    // Axis-aligned bounds of the vertices (for tools and tests).
    virtual void GetBox(Vector& min, Vector& max) const = 0;
};

class Frame {
public:
    virtual ~Frame() = default;
    virtual void AddVisual(MeshBuilderPtr mesh) = 0;
    virtual void DeleteVisual(const MeshBuilderPtr& mesh) = 0;
    virtual void AddLight(LightPtr light) = 0;
    virtual void DeleteLight(const LightPtr& light) = 0;
    virtual void AddChild(FramePtr child) = 0; // re-parents, keeping the local transform
    virtual void DeleteChild(const FramePtr& child) = 0;
    virtual void SetPosition(const FramePtr& ref, float x, float y, float z) = 0;
    virtual Vector GetPosition(const FramePtr& ref) const = 0;
    virtual void SetOrientation(const FramePtr& ref, float dx, float dy, float dz, float ux,
                                float uy, float uz) = 0;
    // Spin by theta radians about the axis (in ref's coordinates) at every Move.
    virtual void SetRotation(const FramePtr& ref, float ax, float ay, float az, float theta) = 0;
    // Replace: the whole local transform becomes this scale (position reset to 0).
    virtual void AddScale(CombineType combine, float sx, float sy, float sz) = 0;
    // Applies the spins of this frame and its subtree.
    virtual void Move(float delta) = 0;
    // Steps and the pictures between them. KeepStep, at a step's start, keeps the
    // transforms of this frame and its subtree as the previous step's; a render at a blend
    // below 1 draws each frame between that and where it is now. Cut: the frame jumped in
    // this step, so it is drawn at its new place at every blend until the next KeepStep.
    // A frame never kept, or given a new parent since, counts as cut.
    virtual void KeepStep() = 0;
    virtual void Cut() = 0;

    virtual Frame* GetParent() const = 0;
    virtual const std::vector<FramePtr>& Children() const = 0;
    virtual const std::vector<MeshBuilderPtr>& Visuals() const = 0;
    virtual const std::vector<LightPtr>& Lights() const = 0;
    // Frame axes in world coordinates (for the replay tool and tests).
    virtual Vector GetWorldDirection() const = 0;
    virtual Vector GetWorldUp() const = 0;
};

class Viewport {
public:
    virtual ~Viewport() = default;
    virtual void SetFront(float d) = 0;
    virtual void SetBack(float d) = 0;
    virtual void SetCamera(FramePtr camera) = 0;
    virtual void SetField(float field) = 0; // default 0.5
    virtual float GetFront() const = 0;
    virtual float GetBack() const = 0;
    virtual FramePtr GetCamera() const = 0;
    virtual float GetField() const = 0;
    // The viewport covers (0, 0, width, height) of the surface it is rendered to.
    virtual int Width() const = 0;
    virtual int Height() const = 0;
};

// A 32-bit 0x00RRGGBB pixel buffer the device renders into.
struct RenderTarget {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0; // in pixels
};

// How long the last Render took, in its two halves: preparing the triangles (walking the
// scene, transforming, lighting, clipping, setting up and sorting into strips of rows) and
// drawing them. For benchmarks.
struct RenderTimes {
    double prepare_ms = 0;
    double rasterize_ms = 0;
};

class Device {
public:
    virtual ~Device() = default;
    virtual void SetRenderMode(uint32_t flags) = 0;
    virtual void SetTextureQuality(int quality) = 0;
    // A colour (0xRRGGBB) Render paints the viewport before drawing, or none to draw over
    // what the surface holds (the default).
    virtual void SetBackground(std::optional<uint32_t> colour) = 0;
    // Clears the viewport's depth and draws the scene under root as seen through the
    // viewport's camera. Returns the number of triangles drawn. The blend, from 0 to 1, is
    // when between the last kept step (0) and now (1) the frames are drawn (Frame::KeepStep):
    // positions in a straight line, orientations turned the shorter way, scales each
    // along its axis. At 1 every frame is drawn exactly where it is.
    virtual int Render(const Frame& root, const Viewport& viewport, const RenderTarget& target,
                       float blend) = 0;
    int Render(const Frame& root, const Viewport& viewport, const RenderTarget& target) {
        return Render(root, viewport, target, 1.0f);
    }
    virtual RenderTimes LastRenderTimes() const = 0;
};

class Engine {
public:
    virtual ~Engine() = default;
    virtual FramePtr CreateFrame(const FramePtr& parent) = 0;
    virtual MeshBuilderPtr CreateMeshBuilder() = 0;
    // Reads a BMP; returns null (and reports it once) when it cannot be read.
    virtual TexturePtr LoadTexture(const std::string& path) = 0;
    virtual LightPtr CreateLightRGB(LightType type, float r, float g, float b) = 0;
    virtual std::unique_ptr<Viewport> CreateViewport(int width, int height) = 0;
    virtual std::unique_ptr<Device> CreateDevice() = 0;
    // Whether Load also reads the textures a mesh file names (looked up beside the mesh
    // file). Off when the player chose to play without textures.
    virtual void SetLoadNamedTextures(bool on) = 0;
    // Who is told of a file the engine cannot read (once per file and problem): the host's
    // own way of reporting. Without one the engine says nothing.
    using Reporter = std::function<void(const std::string& file, const std::string& message)>;
    virtual void SetReporter(Reporter reporter) = 0;
    // How many threads draw each frame, the calling one included (kept within 1 to
    // MaxRenderThreads; DefaultRenderThreads until set). Every device of the engine uses
    // them; the picture is the same for any count. The helper threads live until the
    // engine and its devices are gone, or the count changes, and sleep between frames.
    virtual void SetRenderThreads(int count) = 0;
    virtual int RenderThreads() const = 0;
};

std::unique_ptr<Engine> CreateEngine();

} // namespace rm
