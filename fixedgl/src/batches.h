// Many GL draws as one ES draw. Consecutive draws that share the primitive
// type, shading and the lighting that is not per draw go out together: their
// meshes' vertices in one buffer, each vertex carrying the number of its draw
// in the batch, under which the shader finds that draw's matrices, colour and
// material. One ES draw keeps the primitives' order, so blending and depth
// ties come out as from draws one by one.
//
// A scene draws the same meshes in the same order frame after frame; only
// the matrices and colours change. So a batch's buffers are kept, found
// again by the sequence of its meshes, and only the per-draw values are sent
// each frame.
#pragma once

#include "context.h"

namespace fixedgl {

// The shader's inputs, bound to these locations.
enum Attribute : GLuint { a_position, a_light_position, a_normal, a_colour, a_draw };

// What a batch draws: its vertex array object, and the ES draw that sends it.
struct BatchGeometry {
    GLuint vertex_array = 0;
    GLenum mode = GL_TRIANGLES; // GL_TRIANGLES, GL_LINES or GL_POINTS
    GLsizei count = 0;
    bool indexed = true;        // glDrawElements (unsigned int) or glDrawArrays
};

// The geometry for the meshes in order, in a polygon mode and shading; made
// on first use, then kept while it is among the recently used.
const BatchGeometry &batch_geometry(const std::vector<MeshPtr> &meshes, GLenum polygon_mode, bool flat);
// Drops every kept batch without deleting its ES objects (see forget_es_objects).
void forget_batches();

} // namespace fixedgl
