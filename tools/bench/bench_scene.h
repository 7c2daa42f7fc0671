// The render bench's scene: 30 meshes of 200 to 2000 triangles (four of them translucent,
// one with a decal texture), a textured ground and textured walls, 10 point lights and an
// ambient light, seen by a camera circling the arena. Meshes and textures are written as
// .x and BMP files into a folder and read back through the engine, as the game does.
// The render bench times it; the engine tests draw the same frames to compare pictures.
#pragma once

#include <filesystem>
#include <vector>

#include "scene/engine/rm.h"

namespace bench_scene {

// Frames of the camera path the bench times unless told otherwise.
constexpr int DefaultFrames = 120;

// Writes the meshes and pictures into dir (created if missing); returns the number of
// triangles of the 30 meshes.
int WriteFiles(const std::filesystem::path& dir);

struct Scene {
    std::vector<rm::FramePtr> frames; // kept alive for the run
    std::vector<rm::MeshBuilderPtr> meshes;
    std::vector<rm::LightPtr> lights;
    std::vector<rm::FramePtr> light_frames;
};

// Loads the files of dir under root.
Scene Build(rm::Engine& engine, const rm::FramePtr& root, const std::filesystem::path& dir);

// The device and viewport settings the scene is drawn with: sorted, blended transparency
// and a view from 1 to 320 units.
void SetUpView(rm::Device& device, rm::Viewport& viewport);

// Places the camera and the lights for frame n of the path and spins the meshes one step
// (root is the scene's root frame).
void Animate(const rm::FramePtr& root, const rm::FramePtr& camera, Scene& scene, int n);

} // namespace bench_scene
