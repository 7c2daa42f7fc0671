#include "scene/engine/lighting.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace rm {

namespace {

// A light with no constant term sitting on the vertex would divide by zero; the colour is
// clamped later anyway.
constexpr float MinFalloff = 1e-6f;

glm::vec3 UnitNormal(const LightingInput& in, uint32_t index) {
    const glm::vec3 n = in.normal_matrix * in.normals[index];
    const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    return length > 0.0f ? n / length : n;
}

// One vertex; the four-at-a-time version below does the same sums in the same order.
glm::vec3 LightOne(const LightingInput& in, uint32_t index) {
    const glm::vec3 p = in.positions[index];
    const glm::vec3 n = UnitNormal(in, index);
    glm::vec3 sum(0.0f);
    for (const PointLight& light : *in.lights) {
        const float tx = light.position.x - p.x;
        const float ty = light.position.y - p.y;
        const float tz = light.position.z - p.z;
        const float along = n.x * tx + n.y * ty + n.z * tz;
        if (!(along > 0.0f)) continue;
        const float distance = std::sqrt(tx * tx + ty * ty + tz * tz);
        const float falloff = std::max(light.constant + light.linear * distance, MinFalloff);
        const float factor = along / (distance * falloff);
        sum += light.colour * factor;
    }
    return in.ambient + sum;
}

#if defined(__SSE2__)

// Four vertices at once, lanes holding x, y or z of each.
void LightFour(const LightingInput& in, const uint32_t* indices, glm::vec3* out) {
    alignas(16) float px[4], py[4], pz[4], nx[4], ny[4], nz[4];
    for (int k = 0; k < 4; ++k) {
        const glm::vec3 p = in.positions[indices[k]];
        const glm::vec3 n = UnitNormal(in, indices[k]);
        px[k] = p.x, py[k] = p.y, pz[k] = p.z;
        nx[k] = n.x, ny[k] = n.y, nz[k] = n.z;
    }
    const __m128 x = _mm_load_ps(px), y = _mm_load_ps(py), z = _mm_load_ps(pz);
    const __m128 normal_x = _mm_load_ps(nx), normal_y = _mm_load_ps(ny), normal_z = _mm_load_ps(nz);
    __m128 red = _mm_setzero_ps(), green = _mm_setzero_ps(), blue = _mm_setzero_ps();
    const __m128 zero = _mm_setzero_ps(), min_falloff = _mm_set1_ps(MinFalloff);
    for (const PointLight& light : *in.lights) {
        const __m128 tx = _mm_sub_ps(_mm_set1_ps(light.position.x), x);
        const __m128 ty = _mm_sub_ps(_mm_set1_ps(light.position.y), y);
        const __m128 tz = _mm_sub_ps(_mm_set1_ps(light.position.z), z);
        const __m128 along =
            _mm_add_ps(_mm_add_ps(_mm_mul_ps(normal_x, tx), _mm_mul_ps(normal_y, ty)),
                       _mm_mul_ps(normal_z, tz));
        const __m128 facing = _mm_cmpgt_ps(along, zero);
        if (_mm_movemask_ps(facing) == 0) continue;
        const __m128 distance = _mm_sqrt_ps(
            _mm_add_ps(_mm_add_ps(_mm_mul_ps(tx, tx), _mm_mul_ps(ty, ty)), _mm_mul_ps(tz, tz)));
        const __m128 falloff =
            _mm_max_ps(_mm_add_ps(_mm_set1_ps(light.constant),
                                  _mm_mul_ps(_mm_set1_ps(light.linear), distance)),
                       min_falloff);
        const __m128 factor = _mm_and_ps(facing, _mm_div_ps(along, _mm_mul_ps(distance, falloff)));
        red = _mm_add_ps(red, _mm_mul_ps(_mm_set1_ps(light.colour.r), factor));
        green = _mm_add_ps(green, _mm_mul_ps(_mm_set1_ps(light.colour.g), factor));
        blue = _mm_add_ps(blue, _mm_mul_ps(_mm_set1_ps(light.colour.b), factor));
    }
    alignas(16) float r[4], g[4], b[4];
    _mm_store_ps(r, red);
    _mm_store_ps(g, green);
    _mm_store_ps(b, blue);
    for (int k = 0; k < 4; ++k) out[indices[k]] = in.ambient + glm::vec3(r[k], g[k], b[k]);
}

#endif

} // namespace

void LightVertices(const LightingInput& in, const uint32_t* indices, size_t count, glm::vec3* out) {
    size_t i = 0;
#if defined(__SSE2__)
    for (; i + 4 <= count; i += 4) LightFour(in, indices + i, out);
#endif
    for (; i < count; ++i) out[indices[i]] = LightOne(in, indices[i]);
}

} // namespace rm
