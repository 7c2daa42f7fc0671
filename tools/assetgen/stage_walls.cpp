#include "tools/assetgen/stage_walls.h"

#include <vector>

#include "tools/assetgen/mesh_textures.h"

namespace assetgen {
namespace {

double FileX(double world_x) {
    return world_x / WallScaleXZ;
}
double FileZ(double world_z) {
    return world_z / WallScaleXZ;
}
double FileY(double world_y) {
    return (world_y - ArenaY) / WallScaleY;
}

struct Box {
    int c1, c2, r1, r2; // inclusive cell ranges, r1 the far (+z) row
};

// Row runs of wall cells, merged downward while the run below is the same.
std::vector<Box> WallBoxes(const StageLayout& layout) {
    std::vector<Box> open;
    std::vector<Box> done;
    for (int r = 0; r < MapSize; ++r) {
        std::vector<Box> runs;
        for (int c = 0; c < MapSize;) {
            if (!layout.IsWall(c, r)) {
                ++c;
                continue;
            }
            int end = c;
            while (end + 1 < MapSize && layout.IsWall(end + 1, r)) ++end;
            runs.push_back({c, end, r, r});
            c = end + 1;
        }
        std::vector<Box> still_open;
        for (Box run : runs) {
            for (auto it = open.begin(); it != open.end(); ++it)
                if (it->c1 == run.c1 && it->c2 == run.c2) {
                    run.r1 = it->r1;
                    open.erase(it);
                    break;
                }
            still_open.push_back(run);
        }
        done.insert(done.end(), open.begin(), open.end());
        open = still_open;
    }
    done.insert(done.end(), open.begin(), open.end());
    return done;
}

void Quad(Mesh& mesh, int material, Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 outward) {
    mesh.AddPolygon({a, b, c, d}, material, outward);
}

// A wall side with the wall texture in world proportions: u runs along the wall, v down
// from the wall top, one repeat per WallTextureSpan units, so seams fall on cell edges.
void WallSide(Mesh& mesh, int material, Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 outward) {
    auto uv = [&](Vec3 p) {
        const double along = outward.z != 0 ? p.x : p.z;
        const double world_y = p.y * WallScaleY + ArenaY;
        return Vec2{along * WallScaleXZ / WallTextureSpan, (WallTopY - world_y) / WallTextureSpan};
    };
    mesh.AddPolygon({a, b, c, d}, material, outward, {uv(a), uv(b), uv(c), uv(d)});
}

// Wall colours lifted toward white: the texture brings the shading, the colour the stage.
Material TintedTexture(Rgb colour, double lift, const char* texture) {
    Material m = Matte(colour.r + (1 - colour.r) * lift, colour.g + (1 - colour.g) * lift,
                       colour.b + (1 - colour.b) * lift);
    m.texture = texture;
    return m;
}

// Side faces along one edge of a box, skipping the stretches that touch another wall.
// `open(i)` says whether the cell beyond position i of the edge is open.
template <typename Open, typename Emit> void EdgeRuns(int first, int last, Open open, Emit emit) {
    for (int i = first; i <= last;) {
        if (!open(i)) {
            ++i;
            continue;
        }
        int end = i;
        while (end + 1 <= last && open(end + 1)) ++end;
        emit(i, end);
        i = end + 1;
    }
}

// Whether the wall cell (c, r) shows a side toward its neighbour (nc, nr): the neighbour is
// open and the cell is not a pillar, whose post draws that side itself.
bool Open(const StageLayout& layout, int c, int r, int nc, int nr) {
    return !layout.IsWall(nc, nr) && layout.at(c, r) != Cell::Pillar;
}

} // namespace

GroundRect WallCellRect(int column, int row) {
    const double x1 = PixelCentreX(column);
    const double z0 = PixelCentreZ(row);
    return {x1 - CellSize, x1, z0, z0 + CellSize};
}

Mesh BuildWallMesh(const StageLayout& layout, const WallStyle& style) {
    Mesh mesh;
    const int side = mesh.AddMaterial(TintedTexture(style.side, 0.5, WallTextureFile));
    const int top = mesh.AddMaterial(Matte(style.top.r, style.top.g, style.top.b));
    const double y0 = FileY(ArenaY);
    const double y1 = FileY(WallTopY);
    for (const Box& b : WallBoxes(layout)) {
        const double west = FileX(WallCellRect(b.c1, b.r1).x0);
        const double east = FileX(WallCellRect(b.c2, b.r1).x1);
        const double north = FileZ(WallCellRect(b.c1, b.r1).z1);
        const double south = FileZ(WallCellRect(b.c1, b.r2).z0);
        Quad(mesh, top, {west, y1, south}, {west, y1, north}, {east, y1, north}, {east, y1, south},
             {0, 1, 0});
        auto x_of = [](int c0, int c1, double& a, double& e) {
            a = FileX(WallCellRect(c0, 0).x0);
            e = FileX(WallCellRect(c1, 0).x1);
        };
        auto z_of = [](int r_far, int r_near, double& far, double& near) {
            far = FileZ(WallCellRect(0, r_far).z1);
            near = FileZ(WallCellRect(0, r_near).z0);
        };
        const bool inside_north = b.r1 > 0;
        const bool inside_south = b.r2 < MapSize - 1;
        const bool inside_west = b.c1 > 0;
        const bool inside_east = b.c2 < MapSize - 1;
        if (inside_north)
            EdgeRuns(
                b.c1, b.c2, [&](int c) { return Open(layout, c, b.r1, c, b.r1 - 1); },
                [&](int c0, int c1) {
                    double a, e;
                    x_of(c0, c1, a, e);
                    WallSide(mesh, side, {a, y0, north}, {a, y1, north}, {e, y1, north},
                             {e, y0, north}, {0, 0, 1});
                });
        if (inside_south)
            EdgeRuns(
                b.c1, b.c2, [&](int c) { return Open(layout, c, b.r2, c, b.r2 + 1); },
                [&](int c0, int c1) {
                    double a, e;
                    x_of(c0, c1, a, e);
                    WallSide(mesh, side, {a, y0, south}, {a, y1, south}, {e, y1, south},
                             {e, y0, south}, {0, 0, -1});
                });
        if (inside_west)
            EdgeRuns(
                b.r1, b.r2, [&](int r) { return Open(layout, b.c1, r, b.c1 - 1, r); },
                [&](int r0, int r1) {
                    double far, near;
                    z_of(r0, r1, far, near);
                    WallSide(mesh, side, {west, y0, near}, {west, y1, near}, {west, y1, far},
                             {west, y0, far}, {-1, 0, 0});
                });
        if (inside_east)
            EdgeRuns(
                b.r1, b.r2, [&](int r) { return Open(layout, b.c2, r, b.c2 + 1, r); },
                [&](int r0, int r1) {
                    double far, near;
                    z_of(r0, r1, far, near);
                    WallSide(mesh, side, {east, y0, near}, {east, y1, near}, {east, y1, far},
                             {east, y0, far}, {1, 0, 0});
                });
    }
    return mesh;
}

Mesh BuildPillarMesh(const StageLayout& layout, const WallStyle& style) {
    Mesh mesh;
    const int shaft = mesh.AddMaterial(TintedTexture(style.pillar, 0.0, PillarTextureFile));
    const int cap = mesh.AddMaterial(
        Matte(style.pillar.r * 0.7, style.pillar.g * 0.7, style.pillar.b * 0.7, 0.15));
    const double y0 = FileY(ArenaY);
    const double y1 = FileY(PillarTopY);
    // Each side shows the face picture once: u across the face, v down from the top.
    const double face_u = static_cast<double>(PillarFaceTexels) / PillarTextureWidth;
    const Vec2 tl{0, 0}, tr{face_u, 0}, br{face_u, 1}, bl{0, 1};
    for (int r = 0; r < MapSize; ++r)
        for (int c = 0; c < MapSize; ++c) {
            if (layout.at(c, r) != Cell::Pillar) continue;
            const GroundRect g = WallCellRect(c, r);
            const double w = FileX(g.x0), e = FileX(g.x1);
            const double s = FileZ(g.z0), n = FileZ(g.z1);
            Quad(mesh, cap, {w, y1, s}, {w, y1, n}, {e, y1, n}, {e, y1, s}, {0, 1, 0});
            mesh.AddPolygon({{w, y0, n}, {w, y1, n}, {e, y1, n}, {e, y0, n}}, shaft, {0, 0, 1},
                            {bl, tl, tr, br});
            mesh.AddPolygon({{w, y0, s}, {w, y1, s}, {e, y1, s}, {e, y0, s}}, shaft, {0, 0, -1},
                            {bl, tl, tr, br});
            mesh.AddPolygon({{w, y0, s}, {w, y1, s}, {w, y1, n}, {w, y0, n}}, shaft, {-1, 0, 0},
                            {bl, tl, tr, br});
            mesh.AddPolygon({{e, y0, s}, {e, y1, s}, {e, y1, n}, {e, y0, n}}, shaft, {1, 0, 0},
                            {bl, tl, tr, br});
        }
    return mesh;
}

} // namespace assetgen
