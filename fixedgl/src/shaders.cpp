#include "shaders.h"

namespace fixedgl {

// Per vertex, as GL 1.x lights it: emission, the scene's ambient, and the one
// light's ambient, diffuse and specular terms under its spot and the half
// vector (towards the eye, or along z for a viewer at infinity); the result
// clamped per vertex, alpha the diffuse colour's. The lighting takes its
// position from a_light_position, the provoking vertex's when a flat
// polygon is drawn as lines or points. What may change from one draw to the
// next comes from the vertex's draw in the batch (a_draw): the matrices, the
// current colour and normal (for meshes without their own) and the material.
// Switches that hold for a batch choose a variant of the program rather than
// branch in it: a software rasteriser runs both sides of a branch for each
// group of vertices, and the light's unused parts cost it an eighth of a frame.
const char *const vertex_shader = R"(
in vec3 a_position;
in vec3 a_light_position;
in vec3 a_normal;
in vec4 a_colour;
in int a_draw;
struct Draw {
    mat4 mvp;
    mat4 modelview;
    mat3 normal_matrix;
    vec4 colour;
    vec4 normal;
    vec4 material_ambient, material_diffuse, material_specular, material_emission;
    float shininess;
    int own_normals, own_colours;
};
layout(std140) uniform Draws {
    Draw draws[DRAWS];
};
uniform vec4 u_light_position;
uniform vec3 u_spot_direction;
uniform float u_spot_cos_cutoff, u_spot_exponent;
uniform vec4 u_light_ambient, u_light_diffuse, u_light_specular;
uniform vec4 u_scene_ambient;
uniform vec4 u_viewport;
SHADING out vec4 v_colour;
void main()
{
    int d = a_draw;
    vec4 vertex_colour = draws[d].own_colours != 0 ? a_colour : draws[d].colour;
    gl_Position = draws[d].mvp * vec4(a_position, 1.0);
    gl_PointSize = 1.0;
#ifdef POINTS
    if (gl_Position.w > 0.0) {
        // GL's own points light the pixel the point falls in; ES's are
        // squares about the point, which pick a neighbour when the point lies
        // on a pixel's border. So the point moves to its pixel's centre.
        vec2 window = (gl_Position.xy / gl_Position.w * 0.5 + 0.5) * u_viewport.zw + u_viewport.xy;
        window = floor(floor(window * 256.0 + 0.5) / 256.0) + 0.5;
        gl_Position.xy = ((window - u_viewport.xy) / u_viewport.zw * 2.0 - 1.0) * gl_Position.w;
    }
#endif
#ifndef LIGHTING
    v_colour = clamp(vertex_colour, 0.0, 1.0);
#else
#ifdef COLOUR_AMBIENT
    vec4 ambient = vertex_colour;
#else
    vec4 ambient = draws[d].material_ambient;
#endif
#ifdef COLOUR_DIFFUSE
    vec4 diffuse = vertex_colour;
#else
    vec4 diffuse = draws[d].material_diffuse;
#endif
    vec3 colour = draws[d].material_emission.rgb + ambient.rgb * u_scene_ambient.rgb;
    bool saturated = false;
#ifdef LIGHT0
    vec3 n = draws[d].normal_matrix * (draws[d].own_normals != 0 ? a_normal : draws[d].normal.xyz);
#ifdef NORMALIZE
    n = normalize(n);
#endif
    vec3 eye = (draws[d].modelview * vec4(a_light_position, 1.0)).xyz;
    vec3 vp = u_light_position.w == 0.0 ? u_light_position.xyz : normalize(u_light_position.xyz - eye);
    float attenuation = 1.0;
#ifdef SPOT
    float s = dot(-vp, u_spot_direction);
    attenuation = s > u_spot_cos_cutoff ? pow(abs(s), u_spot_exponent) : 0.0;
#endif
#ifdef LOCAL_VIEWER
    vec3 halfway = normalize(vp - normalize(eye));
#else
    vec3 halfway = normalize(vp + vec3(0.0, 0.0, 1.0));
#endif
    float nl = dot(n, vp);
    float nh = max(dot(n, halfway), 0.0);
    float diffuse_term = max(nl, 0.0);
    float shininess = draws[d].shininess;
    float specular_term = nl > 0.0 ? pow(nh, shininess) : 0.0;
    // A normal longer than one (scaled, not normalised) can raise the
    // highlight past the float range; the fixed-function pipeline then
    // ends with every channel full, outside the spot's cone as well.
    saturated = nl > 0.0 && nh > 0.0 && shininess * log2(nh) >= 128.0;
    colour += attenuation * (u_light_ambient.rgb * ambient.rgb);
    colour += attenuation * diffuse_term * (u_light_diffuse.rgb * diffuse.rgb);
    colour += attenuation * specular_term * (u_light_specular.rgb * draws[d].material_specular.rgb);
#endif
    v_colour = vec4(saturated ? vec3(1.0) : clamp(colour, 0.0, 1.0), clamp(diffuse.a, 0.0, 1.0));
#endif
}
)";

const char *const fragment_shader = R"(
SHADING in vec4 v_colour;
out vec4 colour;
void main()
{
    colour = v_colour;
}
)";

} // namespace fixedgl
