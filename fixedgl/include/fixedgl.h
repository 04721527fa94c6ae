/*
 * fixedgl's own calls, beside the GL it stands in for (GL/gl.h).
 */
#ifndef FIXEDGL_H
#define FIXEDGL_H

#ifdef __cplusplus
extern "C" {
#endif

/*
 * The current context was lost and has been given back (WebGL's
 * webglcontextrestored): empty, every object of the layer's gone with the
 * old one and its state at ES's defaults. The layer forgets the old objects
 * without deleting them, makes them anew on first use, and sets again the
 * ES state that it passes through (blending, depth test, clear colour,
 * viewport ...). The picture is then the caller's to draw again.
 *
 * While a context is lost, ES calls do nothing: the layer keeps working
 * (selection included) and draws nothing.
 */
void fixedgl_context_restored(void);

#ifdef __cplusplus
}
#endif

#endif /* FIXEDGL_H */
