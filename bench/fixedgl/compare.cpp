// Compares what the reference (Mesa's fixed-function GL) and the fixedgl
// layer wrote for each scene: the share of pixels that differ by more than
// 2/255 in a channel, with an image of the differences; for picked scenes
// the hit counts, names and chosen names, and the largest depth difference;
// the frame times side by side. Exit status 1 when a goal is missed.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double pixel_goal = 0.001;                   // share of pixels
constexpr double depth_goal = 1.0 / (1 << 20);         // share of the depth range
constexpr double depth_range = 4294967295.0;
constexpr int channel_tolerance = 2;

struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
};

bool read_ppm(const std::string &path, Image &image)
{
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int depth = 0;
    if (!(in >> magic >> image.width >> image.height >> depth) || magic != "P6")
        return false;
    in.get();
    image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    return static_cast<bool>(in.read(reinterpret_cast<char *>(image.rgb.data()), image.rgb.size()));
}

// Differing pixels in red over a faded copy of the reference, so that a
// reader sees where they lie.
double compare_pictures(const std::string &scene, const std::string &reference, const std::string &layer,
                        const std::string &out)
{
    Image a, b;
    if (!read_ppm(reference + "/" + scene + ".ppm", a) || !read_ppm(layer + "/" + scene + ".ppm", b) ||
        a.width != b.width || a.height != b.height) {
        std::printf("%-8s pictures missing or of different sizes\n", scene.c_str());
        return 1.0;
    }
    Image diff = a;
    long differing = 0;
    int largest = 0;
    for (std::size_t p = 0; p < a.rgb.size(); p += 3) {
        int d = 0;
        for (int k = 0; k < 3; ++k)
            d = std::max(d, std::abs(a.rgb[p + k] - b.rgb[p + k]));
        largest = std::max(largest, d);
        const bool differs = d > channel_tolerance;
        differing += differs;
        for (int k = 0; k < 3; ++k)
            diff.rgb[p + k] = differs ? (k == 0 ? 255 : 0) : static_cast<unsigned char>(160 + a.rgb[p + k] * 95 / 255);
    }
    FILE *f = std::fopen((out + "/" + scene + "-diff.ppm").c_str(), "wb");
    std::fprintf(f, "P6\n%d %d\n255\n", diff.width, diff.height);
    std::fwrite(diff.rgb.data(), 1, diff.rgb.size(), f);
    std::fclose(f);
    const double share = static_cast<double>(differing) / (a.width * a.height);
    std::printf("%-8s %8ld pixels differ by more than 2/255 = %.4f %% (largest difference %d/255)%s\n",
                scene.c_str(), differing, share * 100.0, largest, share <= pixel_goal ? "" : "  ABOVE GOAL");
    return share;
}

struct Pick {
    std::string point, chosen;
    std::vector<std::vector<double>> hits; // zmin, zmax, names...
};

std::vector<Pick> read_picks(const std::string &path)
{
    std::vector<Pick> picks;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        Pick p;
        const auto bar = line.find('|');
        std::istringstream head(line.substr(0, bar));
        int x = 0, y = 0;
        head >> x >> y;
        p.point = std::to_string(x) + "," + std::to_string(y);
        std::getline(head >> std::ws, p.chosen);
        std::istringstream records(line.substr(bar + 1));
        std::string record;
        while (std::getline(records, record, ';')) {
            std::istringstream words(record);
            std::vector<double> hit;
            double w;
            while (words >> w)
                hit.push_back(w);
            if (!hit.empty())
                p.hits.push_back(hit);
        }
        picks.push_back(p);
    }
    return picks;
}

bool compare_picks(const std::string &scene, const std::string &reference, const std::string &layer)
{
    const auto a = read_picks(reference + "/" + scene + ".picks");
    const auto b = read_picks(layer + "/" + scene + ".picks");
    if (a.empty() || a.size() != b.size()) {
        std::printf("%-8s picks missing (%zu and %zu points)\n", scene.c_str(), a.size(), b.size());
        return false;
    }
    long count_differs = 0, names_differ = 0, chosen_differs = 0, depth_over = 0, hits = 0;
    double largest = 0.0;
    std::string first_problem;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const Pick &p = a[i], &q = b[i];
        std::string problem;
        if (p.chosen != q.chosen) {
            ++chosen_differs;
            problem = "chosen \"" + p.chosen + "\" / \"" + q.chosen + "\"";
        }
        if (p.hits.size() != q.hits.size()) {
            ++count_differs;
            problem += " hits " + std::to_string(p.hits.size()) + " / " + std::to_string(q.hits.size());
        } else {
            bool names_equal = true;
            for (std::size_t h = 0; h < p.hits.size(); ++h) {
                ++hits;
                const auto &r = p.hits[h], &s = q.hits[h];
                if (r.size() != s.size() || !std::equal(r.begin() + 2, r.end(), s.begin() + 2)) {
                    names_equal = false;
                    continue;
                }
                for (int k = 0; k < 2; ++k) {
                    const double d = std::fabs(r[k] - s[k]) / depth_range;
                    largest = std::max(largest, d);
                    depth_over += d > depth_goal;
                }
            }
            if (!names_equal) {
                ++names_differ;
                problem += " names differ";
            }
        }
        if (!problem.empty() && first_problem.empty())
            first_problem = "at " + p.point + ":" + problem;
    }
    std::printf("%-8s %zu points, %ld hits: hit counts differ at %ld, names at %ld, chosen name at %ld; "
                "largest depth difference %.3g of the range (%.3f x 2^-20), %ld depths beyond 2^-20\n",
                scene.c_str(), a.size(), hits, count_differs, names_differ, chosen_differs, largest,
                largest / depth_goal, depth_over);
    if (!first_problem.empty())
        std::printf("         first: %s\n", first_problem.c_str());
    return count_differs == 0 && names_differ == 0 && chosen_differs == 0 && depth_over == 0;
}

bool read_times(const std::string &path, double &frame, double &pick, double &issue)
{
    std::ifstream in(path);
    return static_cast<bool>(in >> frame >> pick >> issue);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s REFERENCE_DIR LAYER_DIR OUT_DIR [SCENE[:picked]...]\n", argv[0]);
        return 2;
    }
    const std::string reference = argv[1], layer = argv[2], out = argv[3];
    bool ok = true;
    std::printf("Pictures (900 x 600):\n");
    for (int i = 4; i < argc; ++i) {
        const std::string scene = std::string(argv[i]).substr(0, std::string(argv[i]).find(':'));
        ok = compare_pictures(scene, reference, layer, out) <= pixel_goal && ok;
    }
    std::printf("Picks (every fourth pixel):\n");
    for (int i = 4; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.find(":picked") != std::string::npos)
            ok = compare_picks(arg.substr(0, arg.find(':')), reference, layer) && ok;
    }
    std::printf("Speed (ms; Mesa's fixed function / the layer on ES 3; a frame's calls return after\n"
                "the first figure in brackets, the rasteriser's threads finish it):\n");
    double reference_total = 0, layer_total = 0;
    for (int i = 4; i < argc; ++i) {
        const std::string scene = std::string(argv[i]).substr(0, std::string(argv[i]).find(':'));
        double rf = 0, rp = 0, ri = 0, lf = 0, lp = 0, li = 0;
        if (!read_times(reference + "/" + scene + ".time", rf, rp, ri) ||
            !read_times(layer + "/" + scene + ".time", lf, lp, li))
            continue;
        reference_total += rf;
        layer_total += lf;
        std::printf("%-8s frame %7.2f (%6.2f) / %7.2f (%6.2f) x %.2f", scene.c_str(), rf, ri, lf, li, lf / rf);
        if (rp > 0)
            std::printf("   pick %6.3f / %6.3f x %.3f", rp, lp, lp / rp);
        std::printf("\n");
    }
    if (reference_total > 0) {
        const double ratio = layer_total / reference_total;
        std::printf("all      frames %.1f / %.1f ms: the layer takes x %.2f of Mesa's time (goal: at most x 1.5)\n",
                    reference_total, layer_total, ratio);
        ok = ratio <= 1.5 && ok;
    }
    std::ifstream memory(layer + "/memory.memory");
    long frames = 0, picks = 0;
    double before = 0, after = 0;
    if (memory >> frames >> picks >> before >> after)
        std::printf("Memory through the layer: resident %.1f MiB, after %ld more frames and %ld picks %.1f MiB (%+.2f MiB)\n",
                    before, frames, picks, after, after - before);
    return ok ? 0 : 1;
}
