/*
 * fixedgl: the fixed-function GL that the scene draws with, on OpenGL ES 3.0
 * (and so on WebGL 2), for the platforms that have no fixed-function GL.
 *
 * This folder's GL/gl.h, GL/glu.h and GL/freeglut.h stand in for the
 * system's: a build that puts fixedgl/include on the include path before
 * the system's compiles the scene code unchanged against them.
 *
 * What the layer provides (libfixedgl):
 *   - the GL 1.x calls below, with their GL 1.x meaning for the state the
 *     scene uses: both matrix stacks, glBegin/glEnd (quads included), vertex
 *     arrays, display lists, per-vertex lighting with one spot light and
 *     colour material, flat and smooth shading, depth test, blending,
 *     polygon modes point/line/fill, selection (GL_SELECT) done in software,
 *     and errors as GL reports them (glGetError);
 *   - GLU's gluPerspective, gluLookAt, gluPickMatrix, gluProject and the
 *     quadric calls (GL/glu.h);
 *   - GLUT's solid shapes (GL/freeglut.h).
 * What it does not provide: GLUT's windowing (glutInit, glutCreateWindow,
 * the callbacks, glutMainLoop, glutPostRedisplay, glutSwapBuffers,
 * glutSetWindowTitle, glutTimerFunc, menus). GL/freeglut.h declares those;
 * the platform that links the layer defines them (the web platform, or a
 * tool's stubs).
 *
 * Starting: the layer draws into the ES 3 context that is current on the
 * calling thread, which its user makes (EGL natively, the page's WebGL 2
 * context in the browser) before the first GL call. The layer needs no
 * init call: it makes its shader program and buffers in that context on
 * first use, and keeps them for the life of the process (one context; if
 * that context is lost and given back, see fixedgl.h).
 *
 * Every GL call maps to a symbol of the layer's own (glEnable is
 * fixedgl_Enable), so that the layer's implementation can call ES's
 * functions of the same names. The implementation includes <GLES3/gl3.h>
 * first and defines FIXEDGL_IMPLEMENTATION: then this header adds only what
 * ES lacks and leaves the names alone.
 */
#ifndef FIXEDGL_GL_H
#define FIXEDGL_GL_H

#ifdef __cplusplus
extern "C" {
#endif

#ifndef GL_ES_VERSION_3_0
typedef unsigned int GLenum;
typedef unsigned char GLboolean;
typedef unsigned int GLbitfield;
typedef void GLvoid;
typedef signed char GLbyte;
typedef short GLshort;
typedef int GLint;
typedef int GLsizei;
typedef unsigned char GLubyte;
typedef unsigned short GLushort;
typedef unsigned int GLuint;
typedef float GLfloat;
typedef float GLclampf;

/* Values that ES 3 shares with GL */
#define GL_FALSE 0
#define GL_TRUE 1
#define GL_ZERO 0
#define GL_ONE 1
#define GL_POINTS 0x0000
#define GL_LINES 0x0001
#define GL_LINE_LOOP 0x0002
#define GL_LINE_STRIP 0x0003
#define GL_TRIANGLES 0x0004
#define GL_TRIANGLE_STRIP 0x0005
#define GL_TRIANGLE_FAN 0x0006
#define GL_NO_ERROR 0
#define GL_INVALID_ENUM 0x0500
#define GL_INVALID_VALUE 0x0501
#define GL_INVALID_OPERATION 0x0502
#define GL_OUT_OF_MEMORY 0x0505
#define GL_DEPTH_BUFFER_BIT 0x00000100
#define GL_COLOR_BUFFER_BIT 0x00004000
#define GL_SRC_ALPHA 0x0302
#define GL_ONE_MINUS_SRC_ALPHA 0x0303
#define GL_FRONT 0x0404
#define GL_BACK 0x0405
#define GL_FRONT_AND_BACK 0x0408
#define GL_CULL_FACE 0x0B44
#define GL_DEPTH_TEST 0x0B71
#define GL_BLEND 0x0BE2
#define GL_VIEWPORT 0x0BA2
#define GL_PACK_ALIGNMENT 0x0D05
#define GL_UNSIGNED_BYTE 0x1401
#define GL_FLOAT 0x1406
#define GL_DEPTH_COMPONENT 0x1902
#define GL_RGB 0x1907
#define GL_RGBA 0x1908
#endif /* GL_ES_VERSION_3_0 */

typedef double GLdouble;
typedef double GLclampd;

/* Values that only fixed-function GL has */
#define GL_QUADS 0x0007
#define GL_QUAD_STRIP 0x0008
#define GL_POLYGON 0x0009
#define GL_STACK_OVERFLOW 0x0503
#define GL_STACK_UNDERFLOW 0x0504
#define GL_CURRENT_COLOR 0x0B00
#define GL_CURRENT_NORMAL 0x0B02
#define GL_POLYGON_MODE 0x0B40
#define GL_LIGHTING 0x0B50
#define GL_LIGHT_MODEL_LOCAL_VIEWER 0x0B51
#define GL_LIGHT_MODEL_TWO_SIDE 0x0B52
#define GL_LIGHT_MODEL_AMBIENT 0x0B53
#define GL_SHADE_MODEL 0x0B54
#define GL_COLOR_MATERIAL 0x0B57
#define GL_MATRIX_MODE 0x0BA0
#define GL_NORMALIZE 0x0BA1
#define GL_MODELVIEW_STACK_DEPTH 0x0BA3
#define GL_PROJECTION_STACK_DEPTH 0x0BA4
#define GL_MODELVIEW_MATRIX 0x0BA6
#define GL_PROJECTION_MATRIX 0x0BA7
#define GL_BLEND_DST 0x0BE0
#define GL_BLEND_SRC 0x0BE1
#define GL_RENDER_MODE 0x0C40
#define GL_NAME_STACK_DEPTH 0x0D70
#define GL_DOUBLE 0x140A
#define GL_AMBIENT 0x1200
#define GL_DIFFUSE 0x1201
#define GL_SPECULAR 0x1202
#define GL_POSITION 0x1203
#define GL_SPOT_DIRECTION 0x1204
#define GL_SPOT_EXPONENT 0x1205
#define GL_SPOT_CUTOFF 0x1206
#define GL_CONSTANT_ATTENUATION 0x1207
#define GL_LINEAR_ATTENUATION 0x1208
#define GL_QUADRATIC_ATTENUATION 0x1209
#define GL_COMPILE 0x1300
#define GL_COMPILE_AND_EXECUTE 0x1301
#define GL_EMISSION 0x1600
#define GL_SHININESS 0x1601
#define GL_AMBIENT_AND_DIFFUSE 0x1602
#define GL_MODELVIEW 0x1700
#define GL_PROJECTION 0x1701
#define GL_POINT 0x1B00
#define GL_LINE 0x1B01
#define GL_FILL 0x1B02
#define GL_RENDER 0x1C00
#define GL_FEEDBACK 0x1C01
#define GL_SELECT 0x1C02
#define GL_FLAT 0x1D00
#define GL_SMOOTH 0x1D01
#define GL_LIGHT0 0x4000
#define GL_VERTEX_ARRAY 0x8074

/* Matrices */
void fixedgl_MatrixMode(GLenum mode);
void fixedgl_LoadIdentity(void);
void fixedgl_LoadMatrixd(const GLdouble *m);
void fixedgl_MultMatrixd(const GLdouble *m);
void fixedgl_PushMatrix(void);
void fixedgl_PopMatrix(void);
void fixedgl_Translatef(GLfloat x, GLfloat y, GLfloat z);
void fixedgl_Rotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
void fixedgl_Scalef(GLfloat x, GLfloat y, GLfloat z);
void fixedgl_Viewport(GLint x, GLint y, GLsizei width, GLsizei height);

/* Geometry */
void fixedgl_Begin(GLenum mode);
void fixedgl_End(void);
void fixedgl_Vertex3f(GLfloat x, GLfloat y, GLfloat z);
void fixedgl_Vertex3fv(const GLfloat *v);
void fixedgl_Normal3f(GLfloat x, GLfloat y, GLfloat z);
void fixedgl_Normal3fv(const GLfloat *v);
void fixedgl_Color3f(GLfloat r, GLfloat g, GLfloat b);
void fixedgl_Color3fv(const GLfloat *v);
void fixedgl_Color4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
void fixedgl_Color4dv(const GLdouble *v);
void fixedgl_VertexPointer(GLint size, GLenum type, GLsizei stride, const void *pointer);
void fixedgl_EnableClientState(GLenum array);
void fixedgl_DisableClientState(GLenum array);
void fixedgl_DrawArrays(GLenum mode, GLint first, GLsizei count);
GLuint fixedgl_GenLists(GLsizei range);
void fixedgl_NewList(GLuint list, GLenum mode);
void fixedgl_EndList(void);
void fixedgl_CallList(GLuint list);
void fixedgl_DeleteLists(GLuint list, GLsizei range);

/* Lighting and shading */
void fixedgl_Lightf(GLenum light, GLenum pname, GLfloat param);
void fixedgl_Lightfv(GLenum light, GLenum pname, const GLfloat *params);
void fixedgl_LightModeli(GLenum pname, GLint param);
void fixedgl_LightModelfv(GLenum pname, const GLfloat *params);
void fixedgl_Materialf(GLenum face, GLenum pname, GLfloat param);
void fixedgl_Materialfv(GLenum face, GLenum pname, const GLfloat *params);
void fixedgl_ColorMaterial(GLenum face, GLenum mode);
void fixedgl_ShadeModel(GLenum mode);

/* Fragments and the frame */
void fixedgl_Enable(GLenum cap);
void fixedgl_Disable(GLenum cap);
GLboolean fixedgl_IsEnabled(GLenum cap);
void fixedgl_PolygonMode(GLenum face, GLenum mode);
void fixedgl_BlendFunc(GLenum sfactor, GLenum dfactor);
void fixedgl_ClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a);
void fixedgl_Clear(GLbitfield mask);
void fixedgl_Flush(void);
void fixedgl_Finish(void);
void fixedgl_ReadBuffer(GLenum mode);
void fixedgl_PixelStorei(GLenum pname, GLint param);
void fixedgl_ReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                        void *pixels);

/* State queries and errors */
GLenum fixedgl_GetError(void);
void fixedgl_GetIntegerv(GLenum pname, GLint *params);
void fixedgl_GetFloatv(GLenum pname, GLfloat *params);
void fixedgl_GetDoublev(GLenum pname, GLdouble *params);
void fixedgl_GetLightfv(GLenum light, GLenum pname, GLfloat *params);
void fixedgl_GetMaterialfv(GLenum face, GLenum pname, GLfloat *params);

/* Selection */
void fixedgl_SelectBuffer(GLsizei size, GLuint *buffer);
GLint fixedgl_RenderMode(GLenum mode);
void fixedgl_InitNames(void);
void fixedgl_PushName(GLuint name);
void fixedgl_PopName(void);
void fixedgl_LoadName(GLuint name);

#ifdef __cplusplus
}
#endif

#ifndef FIXEDGL_IMPLEMENTATION
#define glMatrixMode fixedgl_MatrixMode
#define glLoadIdentity fixedgl_LoadIdentity
#define glLoadMatrixd fixedgl_LoadMatrixd
#define glMultMatrixd fixedgl_MultMatrixd
#define glPushMatrix fixedgl_PushMatrix
#define glPopMatrix fixedgl_PopMatrix
#define glTranslatef fixedgl_Translatef
#define glRotatef fixedgl_Rotatef
#define glScalef fixedgl_Scalef
#define glViewport fixedgl_Viewport
#define glBegin fixedgl_Begin
#define glEnd fixedgl_End
#define glVertex3f fixedgl_Vertex3f
#define glVertex3fv fixedgl_Vertex3fv
#define glNormal3f fixedgl_Normal3f
#define glNormal3fv fixedgl_Normal3fv
#define glColor3f fixedgl_Color3f
#define glColor3fv fixedgl_Color3fv
#define glColor4f fixedgl_Color4f
#define glColor4dv fixedgl_Color4dv
#define glVertexPointer fixedgl_VertexPointer
#define glEnableClientState fixedgl_EnableClientState
#define glDisableClientState fixedgl_DisableClientState
#define glDrawArrays fixedgl_DrawArrays
#define glGenLists fixedgl_GenLists
#define glNewList fixedgl_NewList
#define glEndList fixedgl_EndList
#define glCallList fixedgl_CallList
#define glDeleteLists fixedgl_DeleteLists
#define glLightf fixedgl_Lightf
#define glLightfv fixedgl_Lightfv
#define glLightModeli fixedgl_LightModeli
#define glLightModelfv fixedgl_LightModelfv
#define glMaterialf fixedgl_Materialf
#define glMaterialfv fixedgl_Materialfv
#define glColorMaterial fixedgl_ColorMaterial
#define glShadeModel fixedgl_ShadeModel
#define glEnable fixedgl_Enable
#define glDisable fixedgl_Disable
#define glIsEnabled fixedgl_IsEnabled
#define glPolygonMode fixedgl_PolygonMode
#define glBlendFunc fixedgl_BlendFunc
#define glClearColor fixedgl_ClearColor
#define glClear fixedgl_Clear
#define glFlush fixedgl_Flush
#define glFinish fixedgl_Finish
#define glReadBuffer fixedgl_ReadBuffer
#define glPixelStorei fixedgl_PixelStorei
#define glReadPixels fixedgl_ReadPixels
#define glGetError fixedgl_GetError
#define glGetIntegerv fixedgl_GetIntegerv
#define glGetFloatv fixedgl_GetFloatv
#define glGetDoublev fixedgl_GetDoublev
#define glGetLightfv fixedgl_GetLightfv
#define glGetMaterialfv fixedgl_GetMaterialfv
#define glSelectBuffer fixedgl_SelectBuffer
#define glRenderMode fixedgl_RenderMode
#define glInitNames fixedgl_InitNames
#define glPushName fixedgl_PushName
#define glPopName fixedgl_PopName
#define glLoadName fixedgl_LoadName
#endif /* FIXEDGL_IMPLEMENTATION */

#endif /* FIXEDGL_GL_H */
