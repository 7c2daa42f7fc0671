// The desktop icons: the game's robot on a transparent square, in the
// sizes desktops ask for.
#include "tools/assetgen/pic_icons.h"

#include <stb/stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "tools/assetgen/pic_raster.h"
#include "tools/assetgen/pic_robot.h"

namespace assetgen {
namespace {

// The whole robot in its victory pose, centred in the square.
constexpr RobotCamera IconCamera{0.6f, -1.1f, 10.0f, 0.6f, -1.7f, 0};

uint8_t ToByte(float v) {
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

} // namespace

void WriteIcons(const std::string& mesh_dir, const std::string& icon_dir) {
    std::filesystem::create_directories(icon_dir);
    for (const int size : IconSizes) {
        Layer layer(size, size);
        if (!RenderRobot(mesh_dir, size, size, layer, IconCamera))
            throw std::runtime_error("the robot for the icons could not be drawn from " + mesh_dir);
        std::vector<uint8_t> rgba(static_cast<size_t>(size) * static_cast<size_t>(size) * 4);
        for (size_t i = 0; i < layer.alpha.size(); ++i) {
            rgba[i * 4 + 0] = ToByte(layer.rgb[i].r);
            rgba[i * 4 + 1] = ToByte(layer.rgb[i].g);
            rgba[i * 4 + 2] = ToByte(layer.rgb[i].b);
            rgba[i * 4 + 3] = ToByte(layer.alpha[i]);
        }
        const std::string path = icon_dir + "/" + IconFileName(size);
        if (stbi_write_png(path.c_str(), size, size, 4, rgba.data(), size * 4) == 0)
            throw std::runtime_error("cannot write " + path);
    }
}

} // namespace assetgen
