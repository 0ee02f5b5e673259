/* Draws the program's default pictures as placeable Windows metafiles with libuemf's record writers.
 * Each picture is code on a grid of 1000 units across (MM_ANISOTROPIC): polygons, ellipses, pies,
 * round rectangles and polylines in a few friendly colours.
 * Usage: draw_pictures <output folder>   (writes band_music.wmf, flower.wmf, bierdony.wmf, kwiatek.wmf) */
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <uemf.h>
#include <uwmf.h>

#ifndef M_PI
#define M_PI 3.14159265358979323846
#endif

#define MAX_POINTS 2000

typedef struct {
  WMFTRACK *wt;
  WMFHANDLES *wht;
} Picture;

static void fail(const char *what) {
  fprintf(stderr, "draw_pictures: %s\n", what);
  exit(1);
}

static void put(Picture *p, char *rec) {
  if (!rec || wmf_append((U_METARECORD *)rec, p->wt, 1)) fail("cannot append a record");
}

/* Starts a placeable metafile: `inchesX` × `inchesY` at 1000 units an inch, whose window is the
 * drawing grid gridX × gridY. */
static Picture begin(const char *path, double inchesX, double inchesY, int gridX, int gridY) {
  Picture p;
  if (wmf_start(path, 1000000, 250000, &p.wt)) fail("cannot start a file");
  if (wmf_htable_create(128, 128, &p.wht)) fail("cannot create the object table");
  U_PAIRF *size = U_PAIRF_set((float)inchesX, (float)inchesY);
  char *rec = U_WMRHEADER_set(size, 1000);
  free(size);
  if (!rec || wmf_header_append((U_METARECORD *)rec, p.wt, 1)) fail("cannot write the header");
  put(&p, U_WMRSETMAPMODE_set(U_MM_ANISOTROPIC));
  U_POINT16 org = {0, 0}, ext = {(int16_t)gridX, (int16_t)gridY};
  put(&p, U_WMRSETWINDOWORG_set(org));
  put(&p, U_WMRSETWINDOWEXT_set(ext));
  put(&p, U_WMRSETBKMODE_set(U_TRANSPARENT));
  put(&p, U_WMRSETPOLYFILLMODE_set(U_WINDING));
  return p;
}

static void end(Picture *p) {
  put(p, U_WMREOF_set());
  if (wmf_finish(p->wt)) fail("cannot write the file");
  wmf_free(&p->wt);
  wmf_htable_free(&p->wht);
}

/* Pens and brushes are made, selected, and deleted again after each shape group. */
static uint32_t pen(Picture *p, U_COLORREF color, int width) {
  uint32_t ih = 0;
  U_PEN lp = U_PEN_set(width > 0 ? U_PS_SOLID : U_PS_NULL, (uint16_t)(width > 0 ? width : 0), color);
  put(p, wcreatepenindirect_set(&ih, p->wht, lp));
  put(p, wselectobject_set(ih, p->wht));
  return ih;
}

static uint32_t brush(Picture *p, U_COLORREF color) {
  uint32_t ih = 0;
  U_WLOGBRUSH lb = U_WLOGBRUSH_set(U_BS_SOLID, color, 0);
  put(p, wcreatebrushindirect_set(&ih, p->wht, lb));
  put(p, wselectobject_set(ih, p->wht));
  return ih;
}

static void drop(Picture *p, uint32_t ih) { put(p, wdeleteobject_set(&ih, p->wht)); }

static void tools(Picture *p, U_COLORREF fill, U_COLORREF line, int width, uint32_t *ihp, uint32_t *ihb) {
  *ihp = pen(p, line, width);
  *ihb = brush(p, fill);
}

static void untools(Picture *p, uint32_t ihp, uint32_t ihb) {
  drop(p, ihb);
  drop(p, ihp);
}

static U_RECT16 box(double l, double t, double r, double b) {
  U_RECT16 rc = {(int16_t)lround(l), (int16_t)lround(t), (int16_t)lround(r), (int16_t)lround(b)};
  return rc;
}

static U_POINT16 pt(double x, double y) {
  U_POINT16 q = {(int16_t)lround(x), (int16_t)lround(y)};
  return q;
}

static void ellipse(Picture *p, double cx, double cy, double rx, double ry) {
  put(p, U_WMRELLIPSE_set(box(cx - rx, cy - ry, cx + rx, cy + ry)));
}

static void polygon(Picture *p, const double *xy, int n) {
  U_POINT16 pts[MAX_POINTS];
  for (int i = 0; i < n; ++i) pts[i] = pt(xy[2 * i], xy[2 * i + 1]);
  put(p, U_WMRPOLYGON_set((uint16_t)n, pts));
}

static void polyline(Picture *p, const double *xy, int n) {
  U_POINT16 pts[MAX_POINTS];
  for (int i = 0; i < n; ++i) pts[i] = pt(xy[2 * i], xy[2 * i + 1]);
  put(p, U_WMRPOLYLINE_set((uint16_t)n, pts));
}

/* An ellipse turned by `angle` degrees, as a polygon (metafile ellipses cannot turn). */
static void turned_ellipse(Picture *p, double cx, double cy, double rx, double ry, double angle) {
  double xy[2 * 72];
  const double a = angle * M_PI / 180, c = cos(a), s = sin(a);
  for (int i = 0; i < 72; ++i) {
    const double t = 2 * M_PI * i / 72, x = rx * cos(t), y = ry * sin(t);
    xy[2 * i] = cx + x * c - y * s;
    xy[2 * i + 1] = cy + x * s + y * c;
  }
  polygon(p, xy, 72);
}

/* A petal or leaf: pointed at both ends, from (x0, y0) to (x1, y1), `width` at its widest. */
static void leaf(Picture *p, double x0, double y0, double x1, double y1, double width, double tipRound) {
  double xy[2 * 80];
  const double dx = x1 - x0, dy = y1 - y0, len = sqrt(dx * dx + dy * dy);
  const double ux = dx / len, uy = dy / len, nx = -uy, ny = ux;
  int n = 0;
  for (int side = 0; side < 2; ++side)
    for (int i = 0; i < 40; ++i) {
      const double t = side == 0 ? (double)i / 39 : 1.0 - (double)i / 39;
      double w = sin(M_PI * t) * width / 2;
      w *= 1.0 + tipRound * t; /* fuller towards the far end */
      const double sgn = side == 0 ? 1 : -1;
      xy[2 * n] = x0 + ux * len * t + nx * w * sgn;
      xy[2 * n + 1] = y0 + uy * len * t + ny * w * sgn;
      ++n;
    }
  polygon(p, xy, n);
}

/* A smooth curve through the given points (Catmull-Rom), drawn as a polyline. */
static void smooth(Picture *p, const double *xy, int n, int steps) {
  double out[2 * MAX_POINTS];
  int m = 0;
  for (int i = 0; i + 1 < n; ++i) {
    const double *p0 = xy + 2 * (i > 0 ? i - 1 : i), *p1 = xy + 2 * i, *p2 = xy + 2 * (i + 1),
                 *p3 = xy + 2 * (i + 2 < n ? i + 2 : i + 1);
    for (int k = 0; k < steps; ++k) {
      const double t = (double)k / steps, t2 = t * t, t3 = t2 * t;
      for (int c = 0; c < 2; ++c)
        out[2 * m + c] = 0.5 * ((2 * p1[c]) + (-p0[c] + p2[c]) * t + (2 * p0[c] - 5 * p1[c] + 4 * p2[c] - p3[c]) * t2 +
                                (-p0[c] + 3 * p1[c] - 3 * p2[c] + p3[c]) * t3);
      ++m;
    }
  }
  out[2 * m] = xy[2 * (n - 1)];
  out[2 * m + 1] = xy[2 * (n - 1) + 1];
  ++m;
  polyline(p, out, m);
}

/* ---------------------------------------------------------------------------------------------- */
/* The small holiday icon: six petals around a sunny middle. */
static void draw_flower(const char *path) {
  Picture p = begin(path, 1.0, 1.0, 1000, 1000);
  uint32_t a, b;
  /* Leaves peeking out behind the petals. */
  tools(&p, U_RGB(92, 170, 72), U_RGB(46, 110, 40), 14, &a, &b);
  leaf(&p, 500, 500, 880, 880, 230, 0.2);
  leaf(&p, 500, 500, 120, 880, 230, 0.2);
  untools(&p, a, b);
  tools(&p, U_RGB(246, 112, 160), U_RGB(196, 52, 110), 16, &a, &b);
  for (int i = 0; i < 6; ++i) {
    const double t = (i * 60 - 90) * M_PI / 180;
    turned_ellipse(&p, 500 + 215 * cos(t), 470 + 215 * sin(t), 190, 120, i * 60 - 90);
  }
  untools(&p, a, b);
  /* Lighter inner petal marks. */
  tools(&p, U_RGB(252, 176, 204), U_RGB(252, 176, 204), 0, &a, &b);
  for (int i = 0; i < 6; ++i) {
    const double t = (i * 60 - 90) * M_PI / 180;
    turned_ellipse(&p, 500 + 230 * cos(t), 470 + 230 * sin(t), 110, 45, i * 60 - 90);
  }
  untools(&p, a, b);
  tools(&p, U_RGB(255, 206, 48), U_RGB(226, 130, 20), 18, &a, &b);
  ellipse(&p, 500, 470, 150, 150);
  untools(&p, a, b);
  tools(&p, U_RGB(255, 236, 140), U_RGB(255, 236, 140), 0, &a, &b);
  ellipse(&p, 455, 425, 55, 45);
  untools(&p, a, b);
  end(&p);
}

/* ---------------------------------------------------------------------------------------------- */
/* A flower on a stem with two leaves, in a little grass tuft. */
static void draw_kwiatek(const char *path) {
  Picture p = begin(path, 1.2, 1.6, 1000, 1333);
  uint32_t a, b;
  /* A quarter sun in the top right corner, behind the flower. */
  tools(&p, U_RGB(255, 214, 70), U_RGB(240, 160, 30), 10, &a, &b);
  for (int i = 0; i < 6; ++i) {
    const double t = (190 + i * 14.5) * M_PI / 180;
    double ray[] = {1000 + 160 * cos(t - 0.11), -160 * sin(t - 0.11), 1000 + 240 * cos(t), -240 * sin(t),
                    1000 + 160 * cos(t + 0.11), -160 * sin(t + 0.11)};
    polygon(&p, ray, 3);
  }
  put(&p, U_WMRPIE_set(pt(870, 0), pt(1000, 130), box(870, -130, 1130, 130)));
  untools(&p, a, b);
  /* Stem: a curved band. */
  {
    double xy[2 * 60];
    int n = 0;
    for (int i = 0; i < 30; ++i, ++n) {
      const double t = (double)i / 29, y = 520 + t * 700, x = 500 + 40 * sin(t * M_PI * 1.2);
      xy[2 * n] = x - 22;
      xy[2 * n + 1] = y;
    }
    for (int i = 29; i >= 0; --i, ++n) {
      const double t = (double)i / 29, y = 520 + t * 700, x = 500 + 40 * sin(t * M_PI * 1.2);
      xy[2 * n] = x + 22;
      xy[2 * n + 1] = y;
    }
    tools(&p, U_RGB(84, 160, 64), U_RGB(48, 112, 42), 12, &a, &b);
    polygon(&p, xy, n);
  }
  leaf(&p, 515, 980, 830, 800, 190, 0.0);
  leaf(&p, 505, 1080, 170, 930, 200, 0.0);
  untools(&p, a, b);
  /* Leaf veins. */
  a = pen(&p, U_RGB(48, 112, 42), 8);
  {
    double v1[] = {530, 970, 680, 880, 810, 810};
    double v2[] = {490, 1070, 330, 1000, 190, 940};
    polyline(&p, v1, 3);
    polyline(&p, v2, 3);
  }
  drop(&p, a);
  /* Grass. */
  tools(&p, U_RGB(120, 190, 80), U_RGB(70, 140, 55), 10, &a, &b);
  for (int i = 0; i < 9; ++i) {
    const double x = 250 + i * 62, h = 120 + 60 * ((i * 37) % 5) / 4.0, lean = ((i % 3) - 1) * 40;
    double xy[] = {x - 30, 1290, x + lean, 1290 - h, x + 30, 1290};
    polygon(&p, xy, 3);
  }
  untools(&p, a, b);
  /* Two rings of petals. */
  tools(&p, U_RGB(126, 96, 214), U_RGB(80, 52, 160), 14, &a, &b);
  for (int i = 0; i < 8; ++i) {
    const double t = (i * 45 + 22.5) * M_PI / 180;
    turned_ellipse(&p, 500 + 220 * cos(t), 420 + 220 * sin(t), 170, 95, i * 45 + 22.5);
  }
  untools(&p, a, b);
  tools(&p, U_RGB(168, 140, 240), U_RGB(104, 74, 190), 14, &a, &b);
  for (int i = 0; i < 8; ++i) {
    const double t = (i * 45) * M_PI / 180;
    turned_ellipse(&p, 500 + 190 * cos(t), 420 + 190 * sin(t), 160, 85, i * 45);
  }
  untools(&p, a, b);
  /* Middle with seeds. */
  tools(&p, U_RGB(255, 196, 40), U_RGB(214, 120, 16), 16, &a, &b);
  ellipse(&p, 500, 420, 125, 125);
  untools(&p, a, b);
  tools(&p, U_RGB(196, 110, 20), U_RGB(196, 110, 20), 0, &a, &b);
  for (int i = 0; i < 12; ++i) {
    const double r = i < 6 ? 75 : 38, t = (i * 60 + (i < 6 ? 0 : 30)) * M_PI / 180;
    ellipse(&p, 500 + r * cos(t), 420 + r * sin(t), 13, 13);
  }
  untools(&p, a, b);
  end(&p);
}

/* ---------------------------------------------------------------------------------------------- */
/* A ladybird on a leaf, seen from above, heading up. */
static void draw_bierdony(const char *path) {
  Picture p = begin(path, 1.4, 1.4, 1000, 1000);
  uint32_t a, b;
  /* The leaf. */
  tools(&p, U_RGB(140, 200, 90), U_RGB(80, 140, 56), 14, &a, &b);
  leaf(&p, 110, 900, 900, 110, 620, 0.0);
  untools(&p, a, b);
  a = pen(&p, U_RGB(96, 160, 64), 10);
  {
    double vein[] = {150, 860, 870, 140};
    polyline(&p, vein, 2);
    for (int i = 1; i < 6; ++i) {
      const double x = 150 + i * 120, y = 860 - i * 120;
      double v1[] = {x, y, x + 120, y + 30};
      double v2[] = {x, y, x - 30, y - 120};
      polyline(&p, v1, 2);
      polyline(&p, v2, 2);
    }
  }
  drop(&p, a);
  /* Legs and antennae. */
  a = pen(&p, U_RGB(30, 30, 30), 18);
  for (int i = 0; i < 3; ++i) {
    const double y = 450 + i * 130, spread = i == 1 ? 0 : (i == 0 ? -50 : 50);
    double l[] = {500, y, 300, y + spread, 260, y + spread + (i == 2 ? 40 : -40)};
    double r[] = {500, y, 700, y + spread, 740, y + spread + (i == 2 ? 40 : -40)};
    polyline(&p, l, 3);
    polyline(&p, r, 3);
  }
  {
    double al[] = {470, 270, 420, 190, 360, 160};
    double ar[] = {530, 270, 580, 190, 640, 160};
    smooth(&p, al, 3, 8);
    smooth(&p, ar, 3, 8);
  }
  drop(&p, a);
  tools(&p, U_RGB(30, 30, 30), U_RGB(30, 30, 30), 0, &a, &b);
  ellipse(&p, 360, 160, 22, 22);
  ellipse(&p, 640, 160, 22, 22);
  /* Head: a black half disc. */
  put(&p, U_WMRPIE_set(pt(640, 330), pt(360, 330), box(360, 220, 640, 440)));
  untools(&p, a, b);
  /* White eye spots. */
  tools(&p, U_RGB(255, 255, 255), U_RGB(255, 255, 255), 0, &a, &b);
  ellipse(&p, 445, 290, 26, 20);
  ellipse(&p, 555, 290, 26, 20);
  untools(&p, a, b);
  /* Wing cases: two red halves of an ellipse. */
  tools(&p, U_RGB(224, 38, 38), U_RGB(120, 16, 16), 14, &a, &b);
  put(&p, U_WMRPIE_set(pt(500, 860), pt(500, 330), box(250, 330, 750, 860)));
  put(&p, U_WMRPIE_set(pt(500, 330), pt(500, 860), box(250, 330, 750, 860)));
  untools(&p, a, b);
  /* Shine. */
  tools(&p, U_RGB(246, 110, 100), U_RGB(246, 110, 100), 0, &a, &b);
  turned_ellipse(&p, 360, 480, 60, 22, -60);
  turned_ellipse(&p, 640, 480, 60, 22, 60);
  untools(&p, a, b);
  /* Spots and the seam. */
  tools(&p, U_RGB(25, 25, 25), U_RGB(25, 25, 25), 0, &a, &b);
  ellipse(&p, 500, 340, 60, 30);
  ellipse(&p, 380, 600, 50, 50);
  ellipse(&p, 620, 600, 50, 50);
  ellipse(&p, 420, 760, 40, 40);
  ellipse(&p, 580, 760, 40, 40);
  ellipse(&p, 330, 440, 34, 34);
  ellipse(&p, 670, 440, 34, 34);
  untools(&p, a, b);
  a = pen(&p, U_RGB(25, 25, 25), 14);
  {
    double seam[] = {500, 335, 500, 860};
    polyline(&p, seam, 2);
  }
  drop(&p, a);
  end(&p);
}

/* ---------------------------------------------------------------------------------------------- */
/* The left margin strip: a wavy stave running down with a treble clef and bright notes. The grid is
 * 1000 across and 7900 down, the strip's own shape. */
static double wave(double y) { return 60 * sin(y / 7900.0 * 2 * M_PI * 2.5); }

/* A note head `step` lines and spaces above the stave's lowest line at time y; its stem runs across
 * to stemEnd (pitch grows to the right on the turned stave). */
static double note_x(double y, int step) { return 300 + step * 50 + wave(y); }

static void note(Picture *p, double y, int step, U_COLORREF color, double stemEnd) {
  const double x = note_x(y, step);
  const int down = stemEnd < x;
  uint32_t a, b;
  tools(p, color, color, 0, &a, &b);
  turned_ellipse(p, x, y, 46, 60, -20);
  untools(p, a, b);
  a = pen(p, color, 14);
  {
    const double sy = y + (down ? -38 : 38);
    double stem[] = {x + (down ? -8 : 8), sy, stemEnd, sy};
    polyline(p, stem, 2);
  }
  drop(p, a);
}

static void draw_band(const char *path) {
  Picture p = begin(path, 1.04, 8.216, 1000, 7900);
  uint32_t a, b;
  /* A soft background from pale lavender at the top to pale cream at the bottom. */
  a = pen(&p, U_RGB(0, 0, 0), 0);
  for (int i = 0; i < 40; ++i) {
    const double t = i / 39.0;
    const int r = (int)lround(236 + (252 - 236) * t), g = (int)lround(232 + (246 - 232) * t),
              bl = (int)lround(250 + (226 - 250) * t);
    b = brush(&p, U_RGB(r, g, bl));
    put(&p, U_WMRRECTANGLE_set(box(0, i * 7900 / 40.0, 1001, (i + 1) * 7900 / 40.0 + 1)));
    drop(&p, b);
  }
  drop(&p, a);
  /* Stave lines. */
  a = pen(&p, U_RGB(120, 128, 168), 10);
  for (int line = 0; line < 5; ++line) {
    double xy[2 * 200];
    for (int i = 0; i < 200; ++i) {
      const double y = 120 + i * (7680.0 / 199);
      xy[2 * i] = 300 + line * 100 + wave(y);
      xy[2 * i + 1] = y;
    }
    polyline(&p, xy, 200);
  }
  drop(&p, a);
  /* Treble clef near the top, as (time, height in stave spaces above the lowest line): the curl round
   * the G line, the rise to the top loop, the stem down and the hook below the stave. */
  {
    static const double clef[] = {1.05, 1.05, 0.85, 1.25, 0.95, 1.6,  1.35, 1.6,  1.6,  1.05, 1.4,  0.3,
                                  0.85, 0.1,  0.35, 0.45, 0.15, 1.3,  0.5,  2.25, 1.05, 3.05, 1.4,  3.9,
                                  1.45, 4.8,  1.25, 5.7,  0.95, 6.0,  0.72, 5.45, 0.78, 4.4,  0.95, 3.0,
                                  1.05, 1.5,  1.1,  0.0,  1.1,  -1.0, 0.95, -1.55, 0.65, -1.62, 0.48, -1.35};
    const int n = (int)(sizeof clef / sizeof clef[0]) / 2;
    double xy[2 * 40];
    for (int i = 0; i < n; ++i) {
      const double y = 170 + clef[2 * i] * 190;
      xy[2 * i] = 300 + clef[2 * i + 1] * 100 + wave(y);
      xy[2 * i + 1] = y;
    }
    a = pen(&p, U_RGB(52, 48, 110), 30);
    smooth(&p, xy, n, 10);
    drop(&p, a);
    tools(&p, U_RGB(52, 48, 110), U_RGB(52, 48, 110), 0, &a, &b);
    ellipse(&p, xy[2 * (n - 1)] + 15, xy[2 * (n - 1) + 1] + 12, 42, 42);
    untools(&p, a, b);
  }
  /* A little tune in cheerful colours; pairs with stems the same way are joined by beams. */
  {
    static const int steps[] = {2, 4, 6, 5, 4, 3, 2, 4, 7, 6, 5, 4, 3, 2, 1, 3, 5, 6, 4, 2, 3, 5, 4, 2};
    const U_COLORREF colors[] = {U_RGB(214, 52, 90), U_RGB(44, 120, 200), U_RGB(238, 140, 30),
                                 U_RGB(120, 70, 190), U_RGB(30, 150, 110)};
    const int count = (int)(sizeof steps / sizeof steps[0]);
    for (int i = 0; i < count; i += 2) {
      const double y0 = 860 + i * 290, y1 = y0 + 290;
      const U_COLORREF c = colors[(i / 2) % 5];
      const int down0 = steps[i] > 4, down1 = steps[i + 1] > 4;
      if (down0 == down1 && (i / 2) % 2 == 0) {
        const double x0 = note_x(y0, steps[i]), x1 = note_x(y1, steps[i + 1]);
        const double end = down0 ? (x0 < x1 ? x0 : x1) - 260 : (x0 > x1 ? x0 : x1) + 260;
        note(&p, y0, steps[i], c, end);
        note(&p, y1, steps[i + 1], c, end);
        tools(&p, c, c, 0, &a, &b);
        const double inner = down0 ? end + 44 : end - 44, s0 = y0 + (down0 ? -45 : 31),
                     s1 = y1 + (down0 ? -31 : 45);
        double beam[] = {end, s0, inner, s0, inner, s1, end, s1};
        polygon(&p, beam, 4);
        untools(&p, a, b);
      } else {
        note(&p, y0, steps[i], c, note_x(y0, steps[i]) + (down0 ? -260 : 260));
        note(&p, y1, steps[i + 1], c, note_x(y1, steps[i + 1]) + (down1 ? -260 : 260));
      }
    }
  }
  /* Bar lines and a closing double bar. */
  a = pen(&p, U_RGB(120, 128, 168), 12);
  for (int k = 1; k < 6; ++k) {
    const double y = 860 + k * 4 * 290 - 145;
    double bar[] = {300 + wave(y), y, 700 + wave(y), y};
    polyline(&p, bar, 2);
  }
  drop(&p, a);
  tools(&p, U_RGB(120, 128, 168), U_RGB(120, 128, 168), 0, &a, &b);
  {
    const double y = 7800;
    put(&p, U_WMRRECTANGLE_set(box(300 + wave(y), y - 8, 700 + wave(y), y + 30)));
  }
  untools(&p, a, b);
  /* Sparkles between the notes. */
  tools(&p, U_RGB(250, 200, 60), U_RGB(230, 160, 30), 6, &a, &b);
  for (int i = 0; i < 8; ++i) {
    const double cx = (i % 2) ? 150 : 860, cy = 1200 + i * 850, r = 55, q = 16;
    double star[] = {cx, cy - r, cx + q, cy - q, cx + r, cy, cx + q, cy + q,
                     cx, cy + r, cx - q, cy + q, cx - r, cy, cx - q, cy - q};
    polygon(&p, star, 8);
  }
  untools(&p, a, b);
  end(&p);
}

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  char path[4096];
  snprintf(path, sizeof path, "%s/band_music.wmf", argv[1]);
  draw_band(path);
  snprintf(path, sizeof path, "%s/flower.wmf", argv[1]);
  draw_flower(path);
  snprintf(path, sizeof path, "%s/bierdony.wmf", argv[1]);
  draw_bierdony(path);
  snprintf(path, sizeof path, "%s/kwiatek.wmf", argv[1]);
  draw_kwiatek(path);
  return 0;
}
