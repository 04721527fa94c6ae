// Both matrix stacks and GLU's camera matrices. The arithmetic follows the
// order and precision of the desktop's GL and GLU (single precision, the
// same sums), so that a vertex lands where it lands there.
#include "context.h"

#include <cmath>
#include <cstring>

namespace fixedgl {

namespace {
constexpr std::size_t stack_depth = 32;

float &at(Mat4 &m, int row, int column) { return m.m[column * 4 + row]; }
float at(const Mat4 &m, int row, int column) { return m.m[column * 4 + row]; }

void multiply_top(const Mat4 &by)
{
    Mat4 &top = context().top();
    top = multiply(top, by);
}
} // namespace

Mat4 identity()
{
    Mat4 m{};
    m.m[0] = m.m[5] = m.m[10] = m.m[15] = 1.0f;
    return m;
}

Mat4 multiply(const Mat4 &a, const Mat4 &b)
{
    Mat4 p;
    for (int i = 0; i < 4; ++i) {
        const float a0 = at(a, i, 0), a1 = at(a, i, 1), a2 = at(a, i, 2), a3 = at(a, i, 3);
        for (int j = 0; j < 4; ++j)
            at(p, i, j) = a0 * at(b, 0, j) + a1 * at(b, 1, j) + a2 * at(b, 2, j) + a3 * at(b, 3, j);
    }
    return p;
}

Mat4 inverse_transpose3(const Mat4 &m)
{
    // The normal matrix: the inverse of the upper 3x3, transposed, kept in
    // the first three columns of the result.
    const double a = at(m, 0, 0), b = at(m, 0, 1), c = at(m, 0, 2);
    const double d = at(m, 1, 0), e = at(m, 1, 1), f = at(m, 1, 2);
    const double g = at(m, 2, 0), h = at(m, 2, 1), k = at(m, 2, 2);
    const double cofactor[3][3] = {
        {e * k - f * h, f * g - d * k, d * h - e * g},
        {c * h - b * k, a * k - c * g, b * g - a * h},
        {b * f - c * e, c * d - a * f, a * e - b * d},
    };
    const double det = a * cofactor[0][0] + b * cofactor[0][1] + c * cofactor[0][2];
    Mat4 r = identity();
    if (det == 0.0)
        return r;
    // (M^-1)^T = cofactor matrix / det
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            at(r, row, column) = static_cast<float>(cofactor[row][column] / det);
    return r;
}

void transform(const Mat4 &m, const float in[4], float out[4])
{
    for (int row = 0; row < 4; ++row)
        out[row] = at(m, row, 0) * in[0] + at(m, row, 1) * in[1] + at(m, row, 2) * in[2] + at(m, row, 3) * in[3];
}

} // namespace fixedgl

using namespace fixedgl;

extern "C" {

void fixedgl_MatrixMode(GLenum mode)
{
    if (record([=] { fixedgl_MatrixMode(mode); }))
        return;
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION)
        return set_error(GL_INVALID_ENUM);
    context().matrix_mode = mode;
}

void fixedgl_LoadIdentity(void)
{
    if (record([] { fixedgl_LoadIdentity(); }))
        return;
    context().top() = identity();
}

void fixedgl_LoadMatrixd(const GLdouble *m)
{
    Mat4 f;
    for (int i = 0; i < 16; ++i)
        f.m[i] = static_cast<float>(m[i]);
    if (record([=] { context().top() = f; }))
        return;
    context().top() = f;
}

void fixedgl_MultMatrixd(const GLdouble *m)
{
    Mat4 f;
    for (int i = 0; i < 16; ++i)
        f.m[i] = static_cast<float>(m[i]);
    if (record([=] { multiply_top(f); }))
        return;
    multiply_top(f);
}

void fixedgl_PushMatrix(void)
{
    if (record([] { fixedgl_PushMatrix(); }))
        return;
    Context &c = context();
    auto &stack = c.matrix_mode == GL_MODELVIEW ? c.modelview : c.projection;
    if (stack.size() >= stack_depth)
        return set_error(GL_STACK_OVERFLOW);
    stack.push_back(stack.back());
}

void fixedgl_PopMatrix(void)
{
    if (record([] { fixedgl_PopMatrix(); }))
        return;
    Context &c = context();
    auto &stack = c.matrix_mode == GL_MODELVIEW ? c.modelview : c.projection;
    if (stack.size() <= 1)
        return set_error(GL_STACK_UNDERFLOW);
    stack.pop_back();
}

void fixedgl_Translatef(GLfloat x, GLfloat y, GLfloat z)
{
    if (record([=] { fixedgl_Translatef(x, y, z); }))
        return;
    float *m = context().top().m;
    m[12] = m[0] * x + m[4] * y + m[8] * z + m[12];
    m[13] = m[1] * x + m[5] * y + m[9] * z + m[13];
    m[14] = m[2] * x + m[6] * y + m[10] * z + m[14];
    m[15] = m[3] * x + m[7] * y + m[11] * z + m[15];
}

void fixedgl_Scalef(GLfloat x, GLfloat y, GLfloat z)
{
    if (record([=] { fixedgl_Scalef(x, y, z); }))
        return;
    float *m = context().top().m;
    for (int row = 0; row < 4; ++row) {
        m[row] *= x;
        m[4 + row] *= y;
        m[8 + row] *= z;
    }
}

void fixedgl_Rotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    if (record([=] { fixedgl_Rotatef(angle, x, y, z); }))
        return;
    const float s = std::sin(static_cast<float>(angle * pi / 180.0));
    const float c = std::cos(static_cast<float>(angle * pi / 180.0));
    Mat4 r = identity();
    // A turn about one axis is written out directly, the sign of the axis
    // giving the sense; any other axis goes through the general formula.
    if (x == 0.0f && y == 0.0f && z != 0.0f) {
        at(r, 0, 0) = c;
        at(r, 1, 1) = c;
        at(r, 0, 1) = z < 0.0f ? s : -s;
        at(r, 1, 0) = z < 0.0f ? -s : s;
    } else if (x == 0.0f && z == 0.0f && y != 0.0f) {
        at(r, 0, 0) = c;
        at(r, 2, 2) = c;
        at(r, 0, 2) = y < 0.0f ? -s : s;
        at(r, 2, 0) = y < 0.0f ? s : -s;
    } else if (y == 0.0f && z == 0.0f && x != 0.0f) {
        at(r, 1, 1) = c;
        at(r, 2, 2) = c;
        at(r, 1, 2) = x < 0.0f ? s : -s;
        at(r, 2, 1) = x < 0.0f ? -s : s;
    } else {
        const float length = std::sqrt(x * x + y * y + z * z);
        if (length <= 1.0e-4f)
            return;
        x /= length;
        y /= length;
        z /= length;
        const float xx = x * x, yy = y * y, zz = z * z;
        const float xy = x * y, yz = y * z, zx = z * x;
        const float xs = x * s, ys = y * s, zs = z * s;
        const float one_c = 1.0f - c;
        at(r, 0, 0) = (one_c * xx) + c;
        at(r, 0, 1) = (one_c * xy) - zs;
        at(r, 0, 2) = (one_c * zx) + ys;
        at(r, 1, 0) = (one_c * xy) + zs;
        at(r, 1, 1) = (one_c * yy) + c;
        at(r, 1, 2) = (one_c * yz) - xs;
        at(r, 2, 0) = (one_c * zx) - ys;
        at(r, 2, 1) = (one_c * yz) + xs;
        at(r, 2, 2) = (one_c * zz) + c;
    }
    multiply_top(r);
}

void fixedgl_gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    const double radians = fovy / 2 * pi / 180;
    const double depth = zFar - zNear;
    const double sine = std::sin(radians);
    if (depth == 0 || sine == 0 || aspect == 0)
        return;
    const double cotangent = std::cos(radians) / sine;
    GLdouble m[16] = {};
    m[0] = cotangent / aspect;
    m[5] = cotangent;
    m[10] = -(zFar + zNear) / depth;
    m[11] = -1;
    m[14] = -2 * zNear * zFar / depth;
    fixedgl_MultMatrixd(m);
}

void fixedgl_gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY,
                       GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ)
{
    // In single precision, as GLU works it out.
    auto normalise = [](float v[3]) {
        const float r = static_cast<float>(std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]));
        if (r == 0.0f)
            return;
        v[0] /= r;
        v[1] /= r;
        v[2] /= r;
    };
    auto cross = [](const float a[3], const float b[3], float out[3]) {
        out[0] = a[1] * b[2] - a[2] * b[1];
        out[1] = a[2] * b[0] - a[0] * b[2];
        out[2] = a[0] * b[1] - a[1] * b[0];
    };
    float forward[3] = {static_cast<float>(centerX - eyeX), static_cast<float>(centerY - eyeY),
                        static_cast<float>(centerZ - eyeZ)};
    float up[3] = {static_cast<float>(upX), static_cast<float>(upY), static_cast<float>(upZ)};
    float side[3];
    normalise(forward);
    cross(forward, up, side);
    normalise(side);
    cross(side, forward, up);
    GLdouble m[16] = {};
    for (int i = 0; i < 3; ++i) {
        m[i * 4 + 0] = side[i];
        m[i * 4 + 1] = up[i];
        m[i * 4 + 2] = -forward[i];
    }
    m[15] = 1;
    fixedgl_MultMatrixd(m);
    fixedgl_Translatef(static_cast<float>(-eyeX), static_cast<float>(-eyeY), static_cast<float>(-eyeZ));
}

void fixedgl_gluPickMatrix(GLdouble x, GLdouble y, GLdouble delX, GLdouble delY, GLint *viewport)
{
    if (delX <= 0 || delY <= 0)
        return;
    fixedgl_Translatef(static_cast<float>((viewport[2] - 2 * (x - viewport[0])) / delX),
                       static_cast<float>((viewport[3] - 2 * (y - viewport[1])) / delY), 0.0f);
    fixedgl_Scalef(static_cast<float>(viewport[2] / delX), static_cast<float>(viewport[3] / delY), 1.0f);
}

GLint fixedgl_gluProject(GLdouble objX, GLdouble objY, GLdouble objZ, const GLdouble *model, const GLdouble *proj,
                         const GLint *view, GLdouble *winX, GLdouble *winY, GLdouble *winZ)
{
    double in[4] = {objX, objY, objZ, 1.0}, eye[4], clip[4];
    for (int row = 0; row < 4; ++row)
        eye[row] = model[row] * in[0] + model[4 + row] * in[1] + model[8 + row] * in[2] + model[12 + row] * in[3];
    for (int row = 0; row < 4; ++row)
        clip[row] = proj[row] * eye[0] + proj[4 + row] * eye[1] + proj[8 + row] * eye[2] + proj[12 + row] * eye[3];
    if (clip[3] == 0.0)
        return GL_FALSE;
    for (int i = 0; i < 3; ++i)
        clip[i] = clip[i] / clip[3] * 0.5 + 0.5;
    *winX = clip[0] * view[2] + view[0];
    *winY = clip[1] * view[3] + view[1];
    *winZ = clip[2];
    return GL_TRUE;
}

} // extern "C"
