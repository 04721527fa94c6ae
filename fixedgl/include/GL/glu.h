/*
 * fixedgl's GLU: the calls the scene makes, drawn through the layer's GL
 * (see GL/gl.h). Quadrics make the same vertices, normals and order as the
 * desktop's GLU, so that the pictures agree.
 */
#ifndef FIXEDGL_GLU_H
#define FIXEDGL_GLU_H

#include <GL/gl.h>

#ifdef __cplusplus
extern "C" {
#endif

#define GLU_SMOOTH 100000
#define GLU_FLAT 100001
#define GLU_NONE 100002
#define GLU_POINT 100010
#define GLU_LINE 100011
#define GLU_FILL 100012

typedef struct GLUquadric GLUquadric;
typedef GLUquadric GLUquadricObj;

void fixedgl_gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar);
void fixedgl_gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY,
                       GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ);
void fixedgl_gluPickMatrix(GLdouble x, GLdouble y, GLdouble delX, GLdouble delY, GLint *viewport);
GLint fixedgl_gluProject(GLdouble objX, GLdouble objY, GLdouble objZ, const GLdouble *model,
                         const GLdouble *proj, const GLint *view, GLdouble *winX, GLdouble *winY,
                         GLdouble *winZ);

GLUquadric *fixedgl_gluNewQuadric(void);
void fixedgl_gluDeleteQuadric(GLUquadric *quad);
/* GLU_SMOOTH or GLU_NONE */
void fixedgl_gluQuadricNormals(GLUquadric *quad, GLenum normal);
/* GLU_FILL only: the quadric's polygons, which glPolygonMode may still show as lines or points */
void fixedgl_gluQuadricDrawStyle(GLUquadric *quad, GLenum draw);
/* Accepted and kept: the layer has no texturing, so coordinates are not made */
void fixedgl_gluQuadricTexture(GLUquadric *quad, GLboolean texture);
void fixedgl_gluCylinder(GLUquadric *quad, GLdouble base, GLdouble top, GLdouble height, GLint slices,
                         GLint stacks);

#ifdef __cplusplus
}
#endif

#ifndef FIXEDGL_IMPLEMENTATION
#define gluPerspective fixedgl_gluPerspective
#define gluLookAt fixedgl_gluLookAt
#define gluPickMatrix fixedgl_gluPickMatrix
#define gluProject fixedgl_gluProject
#define gluNewQuadric fixedgl_gluNewQuadric
#define gluDeleteQuadric fixedgl_gluDeleteQuadric
#define gluQuadricNormals fixedgl_gluQuadricNormals
#define gluQuadricDrawStyle fixedgl_gluQuadricDrawStyle
#define gluQuadricTexture fixedgl_gluQuadricTexture
#define gluCylinder fixedgl_gluCylinder
#endif

#endif /* FIXEDGL_GLU_H */
