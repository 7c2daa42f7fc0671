#include "tools/assetgen/pic_quantize.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

namespace assetgen {
namespace {

struct Sample {
    std::array<float, 3> c{}; // 0..255
    float weight = 0;
};

std::array<float, 3> Unpack(uint32_t rgb) {
    return {static_cast<float>((rgb >> 16) & 0xFF), static_cast<float>((rgb >> 8) & 0xFF),
            static_cast<float>(rgb & 0xFF)};
}

uint32_t Pack(const std::array<float, 3>& c) {
    uint32_t out = 0;
    for (float v : c)
        out = out << 8 | static_cast<uint32_t>(std::lround(std::clamp(v, 0.0f, 255.0f)));
    return out;
}

// Green counts most and blue least, roughly as the eye weighs them.
float Distance(const std::array<float, 3>& a, const std::array<float, 3>& b) {
    const float dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

std::array<float, 3> Opaque(const Layer& layer, size_t i, const QuantizeOptions& options) {
    const float a = layer.alpha[i];
    const Rgb c = Mix(options.matte, layer.rgb[i], std::min(1.0f, a));
    return {c.r * 255.0f, c.g * 255.0f, c.b * 255.0f};
}

// Splits the sample set by weighted medians along the widest channel until count boxes.
std::vector<std::array<float, 3>> MedianCut(std::vector<Sample> samples, size_t count) {
    struct Box {
        size_t begin, end;
    };
    std::vector<Box> boxes{{0, samples.size()}};
    auto spread = [&](const Box& b, int& axis) {
        float best = -1;
        for (int k = 0; k < 3; ++k) {
            float lo = 1e9f, hi = -1e9f;
            for (size_t i = b.begin; i < b.end; ++i) {
                lo = std::min(lo, samples[i].c[static_cast<size_t>(k)]);
                hi = std::max(hi, samples[i].c[static_cast<size_t>(k)]);
            }
            if (hi - lo > best) {
                best = hi - lo;
                axis = k;
            }
        }
        float weight = 0;
        for (size_t i = b.begin; i < b.end; ++i) weight += samples[i].weight;
        return best * std::sqrt(weight);
    };
    while (boxes.size() < count) {
        size_t pick = boxes.size();
        int axis = 0;
        float best = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].end - boxes[i].begin < 2) continue;
            int a = 0;
            const float s = spread(boxes[i], a);
            if (s > best) {
                best = s;
                pick = i;
                axis = a;
            }
        }
        if (pick == boxes.size()) break;
        Box box = boxes[pick];
        const auto first = samples.begin() + static_cast<std::ptrdiff_t>(box.begin);
        const auto last = samples.begin() + static_cast<std::ptrdiff_t>(box.end);
        std::sort(first, last, [&](const Sample& x, const Sample& y) {
            return x.c[static_cast<size_t>(axis)] < y.c[static_cast<size_t>(axis)];
        });
        float total = 0;
        for (size_t i = box.begin; i < box.end; ++i) total += samples[i].weight;
        float run = 0;
        size_t cut = box.begin + 1;
        for (size_t i = box.begin; i < box.end - 1; ++i) {
            run += samples[i].weight;
            cut = i + 1;
            if (run >= total / 2) break;
        }
        boxes[pick] = {box.begin, cut};
        boxes.push_back({cut, box.end});
    }
    std::vector<std::array<float, 3>> centres;
    for (const Box& b : boxes) {
        std::array<float, 3> sum{};
        float weight = 0;
        for (size_t i = b.begin; i < b.end; ++i) {
            for (size_t k = 0; k < 3; ++k) sum[k] += samples[i].c[k] * samples[i].weight;
            weight += samples[i].weight;
        }
        for (float& v : sum) v /= std::max(weight, 1e-6f);
        centres.push_back(sum);
    }
    return centres;
}

// A few rounds of weighted k-means; fixed centres stay where they are.
void Refine(const std::vector<Sample>& samples, std::vector<std::array<float, 3>>& centres,
            size_t fixed_count) {
    for (int round = 0; round < 6; ++round) {
        std::vector<std::array<float, 3>> sum(centres.size());
        std::vector<float> weight(centres.size(), 0.0f);
        for (const Sample& s : samples) {
            size_t best = 0;
            float bd = 1e30f;
            for (size_t j = 0; j < centres.size(); ++j) {
                const float d = Distance(s.c, centres[j]);
                if (d < bd) {
                    bd = d;
                    best = j;
                }
            }
            for (size_t k = 0; k < 3; ++k) sum[best][k] += s.c[k] * s.weight;
            weight[best] += s.weight;
        }
        for (size_t j = fixed_count; j < centres.size(); ++j)
            if (weight[j] > 0)
                for (size_t k = 0; k < 3; ++k) centres[j][k] = sum[j][k] / weight[j];
    }
}

size_t Nearest(const std::vector<std::array<float, 3>>& palette, const std::array<float, 3>& c) {
    size_t best = 0;
    float bd = 1e30f;
    for (size_t j = 0; j < palette.size(); ++j) {
        const float d = Distance(c, palette[j]);
        if (d < bd) {
            bd = d;
            best = j;
        }
    }
    return best;
}

} // namespace

std::vector<uint32_t> ChoosePalette(const Layer& layer, const QuantizeOptions& options) {
    std::map<uint32_t, float> histogram;
    for (size_t i = 0; i < layer.alpha.size(); ++i) {
        if (layer.alpha[i] < options.alpha_threshold) continue;
        histogram[Pack(Opaque(layer, i, options))] += 1.0f;
    }
    std::vector<Sample> samples;
    for (const auto& [rgb, weight] : histogram) samples.push_back({Unpack(rgb), weight});
    const size_t wanted = static_cast<size_t>(options.colours - 1);
    std::vector<std::array<float, 3>> centres;
    for (uint32_t f : options.fixed) centres.push_back(Unpack(f));
    if (samples.size() + centres.size() <= wanted) {
        for (const Sample& s : samples) centres.push_back(s.c);
    } else if (wanted > centres.size()) {
        for (const auto& c : MedianCut(samples, wanted - centres.size())) centres.push_back(c);
        Refine(samples, centres, options.fixed.size());
    }
    std::vector<uint32_t> out;
    for (const auto& c : centres) {
        uint32_t rgb = Pack(c);
        if (rgb == options.key) rgb ^= 0x000001; // never let an opaque colour vanish
        if (std::find(out.begin(), out.end(), rgb) == out.end()) out.push_back(rgb);
    }
    return out;
}

Picture Quantize(const Layer& layer, const QuantizeOptions& options) {
    const std::vector<uint32_t> chosen = ChoosePalette(layer, options);
    std::vector<std::array<float, 3>> palette;
    for (uint32_t c : chosen) palette.push_back(Unpack(c));
    Picture out(layer.width, layer.height, options.key);
    std::vector<std::array<float, 3>> error(static_cast<size_t>(layer.width) * 2);
    for (int y = 0; y < layer.height; ++y) {
        std::fill(error.begin() + layer.width, error.end(), std::array<float, 3>{});
        for (int x = 0; x < layer.width; ++x) {
            const size_t i = layer.index(x, y);
            if (layer.alpha[i] < options.alpha_threshold) continue;
            std::array<float, 3> c = Opaque(layer, i, options);
            if (options.dither)
                for (size_t k = 0; k < 3; ++k)
                    c[k] = std::clamp(c[k] + error[static_cast<size_t>(x)][k], 0.0f, 255.0f);
            const size_t j = Nearest(palette, c);
            out.at(x, y) = chosen[j];
            if (!options.dither) continue;
            for (size_t k = 0; k < 3; ++k) {
                const float e = c[k] - palette[j][k];
                if (x + 1 < layer.width) error[static_cast<size_t>(x + 1)][k] += e * 7 / 16;
                if (x > 0) error[static_cast<size_t>(layer.width + x - 1)][k] += e * 3 / 16;
                error[static_cast<size_t>(layer.width + x)][k] += e * 5 / 16;
                if (x + 1 < layer.width)
                    error[static_cast<size_t>(layer.width + x + 1)][k] += e / 16;
            }
        }
        std::copy(error.begin() + layer.width, error.end(), error.begin());
    }
    return out;
}

} // namespace assetgen
