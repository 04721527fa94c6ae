#pragma once

// What keyboard and menu tests share: a redisplay counter in place of the
// toolkit's, and a snapshot of every scene value a key may change.
#include <gtest/gtest.h>

#include <tuple>

#include "core/scene_state.h"
#include "core/toolkit.h"

namespace keyboard_test {

inline int redisplays = 0;
inline void count_redisplay() { ++redisplays; }

// Every scene value that a key or menu entry may change, and the clock.
struct SceneValues {
    int stop_time, licht_an, Transparez_ein, tex_ok;
    float light_height, light_shift, exponent, cutoff, distance;
    double time;

    static SceneValues now()
    {
        return {::stop_time, ::licht_an, ::Transparez_ein, ::tex_ok, MiniSphere.offset, MiniSphere1.offset,
                Spot_Exponent, Spot_CutoffAngle, viewer_distance, myTime};
    }
    void restore() const
    {
        ::stop_time = stop_time;
        ::licht_an = licht_an;
        ::Transparez_ein = Transparez_ein;
        ::tex_ok = tex_ok;
        MiniSphere.offset = light_height;
        MiniSphere1.offset = light_shift;
        Spot_Exponent = exponent;
        Spot_CutoffAngle = cutoff;
        viewer_distance = distance;
        myTime = time;
    }
    auto tied() const
    {
        return std::tie(stop_time, licht_an, Transparez_ein, tex_ok, light_height, light_shift, exponent, cutoff,
                        distance, time);
    }
    bool operator==(const SceneValues &other) const { return tied() == other.tied(); }
};

inline void PrintTo(const SceneValues &v, std::ostream *os)
{
    *os << "{stop_time " << v.stop_time << ", licht_an " << v.licht_an << ", Transparez_ein " << v.Transparez_ein
        << ", tex_ok " << v.tex_ok << ", height " << v.light_height << ", shift " << v.light_shift << ", exponent "
        << v.exponent << ", cutoff " << v.cutoff << ", distance " << v.distance << ", time " << v.time << "}";
}

// Counts redisplay requests instead of asking a toolkit that is not there.
class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        redisplays = 0;
        post_redisplay = count_redisplay;
    }
};

} // namespace keyboard_test
