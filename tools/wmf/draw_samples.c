/* Writes small test metafiles in the habits of other writers with libuemf: an enhanced metafile with a
 * world transform, Bézier paths, a hatched brush, text and embedded bitmaps (24-bit and RLE8), and a
 * plain Windows metafile without a placeable header, with arcs, pies, chords, text and a 4-bit bitmap.
 * Usage: draw_samples <output folder> */
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <uemf.h>
#include <uemf_utf.h>
#include <uwmf.h>

static void fail(const char *what) {
  fprintf(stderr, "draw_samples: %s\n", what);
  exit(1);
}

static EMFTRACK *et;
static EMFHANDLES *eht;

static void emit(char *rec) {
  if (!rec || emf_append((U_ENHMETARECORD *)rec, et, U_REC_FREE)) fail("cannot append an EMF record");
}

static U_RECTL rect(int l, int t, int r, int b) {
  U_RECTL rc = {l, t, r, b};
  return rc;
}

static void emf_sample(const char *path) {
  if (emf_start(path, 100000, 25000, &et) || emf_htable_create(64, 64, &eht)) fail("cannot start an EMF");
  /* A 60 × 40 mm frame on a 96 dpi reference device (1000 × 1000 pixels on 265 × 265 mm). */
  uint16_t *desc = U_Utf8ToUtf16le("orvella test\0sample\0\0", 21, NULL);
  emit(U_EMRHEADER_set(rect(0, 0, 227, 151), rect(0, 0, 6000, 4000), NULL, 21, desc, sizel_set(1000, 1000),
                       sizel_set(265, 265), 0));
  free(desc);
  /* Logical units: 0.1 mm, y up, through an anisotropic mapping with a flipped viewport. */
  emit(U_EMRSETMAPMODE_set(U_MM_ANISOTROPIC));
  emit(U_EMRSETWINDOWORGEX_set(point32_set(0, 400)));
  emit(U_EMRSETWINDOWEXTEX_set(sizel_set(600, 400)));
  emit(U_EMRSETVIEWPORTORGEX_set(point32_set(0, 0)));
  emit(U_EMRSETVIEWPORTEXTEX_set(sizel_set(227, -151)));
  emit(U_EMRSETBKMODE_set(U_TRANSPARENT));

  uint32_t pen = 0, brush = 0, hatch = 0, font = 0;
  emit(createpen_set(&pen, eht, logpen_set(U_PS_SOLID, point32_set(6, 6), U_RGB(20, 20, 60))));
  emit(selectobject_set(pen, eht));
  emit(createbrushindirect_set(&brush, eht, logbrush_set(U_BS_SOLID, U_RGB(40, 110, 200), 0)));
  emit(selectobject_set(brush, eht));

  /* A rounded blob as a Bézier path, filled and stroked. */
  emit(U_EMRBEGINPATH_set());
  emit(U_EMRMOVETOEX_set(point32_set(50, 300)));
  U_POINTL bez[] = {{90, 390}, {250, 390}, {280, 300}, {300, 220}, {120, 200}, {50, 300}};
  emit(U_EMRPOLYBEZIERTO_set(U_RCL_DEF, 6, bez));
  emit(U_EMRCLOSEFIGURE_set());
  emit(U_EMRENDPATH_set());
  emit(U_EMRSTROKEANDFILLPATH_set(U_RCL_DEF));

  /* A hatched square turned 30 degrees about (450, 300) by the world transform. */
  emit(createbrushindirect_set(&hatch, eht, logbrush_set(U_BS_HATCHED, U_RGB(200, 40, 40), U_HS_DIAGCROSS)));
  emit(selectobject_set(hatch, eht));
  const float c = (float)cos(30 * M_PI / 180), s = (float)sin(30 * M_PI / 180);
  emit(U_EMRSAVEDC_set());
  emit(U_EMRMODIFYWORLDTRANSFORM_set(xform_set(c, s, -s, c, 450 - 450 * c + 300 * s, 300 - 450 * s - 300 * c),
                                     U_MWT_LEFTMULTIPLY));
  emit(U_EMRRECTANGLE_set(rect(390, 240, 510, 360)));
  emit(U_EMRRESTOREDC_set(-1));

  /* A 24-bit bitmap of 4 × 2 pixels stretched into the lower left. */
  {
    U_BITMAPINFOHEADER bh = bitmapinfoheader_set(4, 2, 1, 24, U_BI_RGB, 24, 3780, 3780, 0, 0);
    PU_BITMAPINFO bmi = bitmapinfo_set(bh, NULL);
    char px[24] = {0, 0, (char)255, 0, (char)255, 0, (char)255, 0, 0, 0, 0, 0,
                   (char)255, (char)255, 0, (char)255, 0, (char)255, 0, (char)255, (char)255, (char)255,
                   (char)255, (char)255};
    emit(U_EMRSTRETCHDIBITS_set(U_RCL_DEF, point32_set(40, 160), point32_set(160, -80), point32_set(0, 0),
                                point32_set(4, 2), U_DIB_RGB_COLORS, U_SRCCOPY, bmi, 24, px));
    free(bmi);
  }
  /* An 8-bit run-length bitmap of 8 × 4 pixels with two colours. */
  {
    U_BITMAPINFOHEADER bh = bitmapinfoheader_set(8, 4, 1, 8, U_BI_RLE8, 20, 3780, 3780, 2, 0);
    U_RGBQUAD colors[2] = {rgbquad_set(250, 220, 40, 0), rgbquad_set(30, 140, 60, 0)};
    PU_BITMAPINFO bmi = bitmapinfo_set(bh, colors);
    char px[] = {8, 0, 0, 0, 4, 1, 4, 0, 0, 0, 4, 0, 4, 1, 0, 0, 8, 1, 0, 1};
    emit(U_EMRSTRETCHDIBITS_set(U_RCL_DEF, point32_set(220, 160), point32_set(160, -80), point32_set(0, 0),
                                point32_set(8, 4), U_DIB_RGB_COLORS, U_SRCCOPY, bmi, sizeof px, px));
    free(bmi);
  }
  /* Text along the bottom. */
  {
    uint16_t *face = U_Utf8ToUtf16le("Arial", 0, NULL);
    U_LOGFONT lf = logfont_set(-40, 0, 0, 0, U_FW_BOLD, 0, 0, 0, U_ANSI_CHARSET, U_OUT_DEFAULT_PRECIS,
                               U_CLIP_DEFAULT_PRECIS, U_DEFAULT_QUALITY, U_DEFAULT_PITCH | U_FF_SWISS, face);
    U_LOGFONT_PANOSE elfw = logfont_panose_set(lf, face, face, 0, panose_set(0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
    emit(extcreatefontindirectw_set(&font, eht, NULL, (char *)&elfw));
    emit(selectobject_set(font, eht));
    free(face);
    emit(U_EMRSETTEXTCOLOR_set(U_RGB(90, 30, 120)));
    emit(U_EMRSETTEXTALIGN_set(U_TA_BASELINE | U_TA_LEFT));
    size_t len = 0;
    uint16_t *text = U_Utf8ToUtf16le("Zaż\xc3\xb3\xc5\x82\xc4\x87 EMF", 0, &len);
    uint32_t dx[64];
    for (size_t i = 0; i < len && i < 64; ++i) dx[i] = 24;
    char *t = emrtext_set(point32_set(360, 60), (U_NUM_STR)len, 2, text, U_ETO_NONE, U_RCL_DEF, dx);
    emit(U_EMREXTTEXTOUTW_set(U_RCL_DEF, U_GM_COMPATIBLE, 1.0f, 1.0f, (PU_EMRTEXT)t));
    free(t);
    free(text);
  }
  emit(U_EMREOF_set(0, NULL, et));
  if (emf_finish(et, eht)) fail("cannot write the EMF");
  emf_free(&et);
  emf_htable_free(&eht);
}

/* ---------------------------------------------------------------------------------------------- */

static WMFTRACK *wt;
static WMFHANDLES *wht;

static void wemit(char *rec) {
  if (!rec || wmf_append((U_METARECORD *)rec, wt, 1)) fail("cannot append a WMF record");
}

static U_RECT16 r16(int l, int t, int r, int b) {
  U_RECT16 rc = {(int16_t)l, (int16_t)t, (int16_t)r, (int16_t)b};
  return rc;
}

static void wmf_sample(const char *path) {
  if (wmf_start(path, 100000, 25000, &wt) || wmf_htable_create(64, 64, &wht)) fail("cannot start a WMF");
  char *rec = U_WMRHEADER_set(NULL, 0); /* no placeable header */
  if (!rec || wmf_header_append((U_METARECORD *)rec, wt, 1)) fail("cannot write the WMF header");
  wemit(U_WMRSETMAPMODE_set(U_MM_ANISOTROPIC));
  U_POINT16 org = {0, 0}, ext = {2880, 1440};
  wemit(U_WMRSETWINDOWORG_set(org));
  wemit(U_WMRSETWINDOWEXT_set(ext));
  uint32_t pen = 0, brush = 0, hatch = 0, font = 0;
  wemit(wcreatepenindirect_set(&pen, wht, U_PEN_set(U_PS_SOLID, 20, U_RGB(0, 0, 0))));
  wemit(wselectobject_set(pen, wht));
  wemit(wcreatebrushindirect_set(&brush, wht, U_WLOGBRUSH_set(U_BS_SOLID, U_RGB(250, 180, 40), 0)));
  wemit(wselectobject_set(brush, wht));
  U_POINT16 a = {400, 100}, b = {100, 400};
  wemit(U_WMRPIE_set(a, b, r16(100, 100, 700, 700)));
  U_POINT16 c1 = {1300, 100}, c2 = {800, 400};
  wemit(U_WMRCHORD_set(c1, c2, r16(800, 100, 1400, 700)));
  wemit(wcreatebrushindirect_set(&hatch, wht, U_WLOGBRUSH_set(U_BS_HATCHED, U_RGB(0, 100, 200), U_HS_CROSS)));
  wemit(wselectobject_set(hatch, wht));
  wemit(U_WMRROUNDRECT_set(120, 120, r16(1500, 100, 2700, 700)));
  wemit(wdeleteobject_set(&brush, wht));
  U_POINT16 e1 = {100, 1000}, e2 = {700, 1000};
  wemit(U_WMRARC_set(e1, e2, r16(100, 800, 700, 1400)));
  /* A 4-bit bitmap of 4 × 4 pixels: a small chequer. */
  {
    U_BITMAPINFOHEADER bh = bitmapinfoheader_set(4, 4, 1, 4, U_BI_RGB, 0, 0, 0, 2, 0);
    U_RGBQUAD colors[2] = {rgbquad_set(220, 30, 60, 0), rgbquad_set(255, 255, 255, 0)};
    PU_BITMAPINFO bmi = bitmapinfo_set(bh, colors);
    char px[16] = {0x01, 0x01, 0, 0, 0x10, 0x10, 0, 0, 0x01, 0x01, 0, 0, 0x10, 0x10, 0, 0};
    U_POINT16 d = {900, 850}, cd = {500, 500}, s = {0, 0}, cs = {4, 4};
    wemit(U_WMRSTRETCHDIB_set(d, cd, s, cs, U_DIB_RGB_COLORS, U_SRCCOPY, bmi, 16, px));
    free(bmi);
  }
  {
    U_FONT *f = U_FONT_set(-160, 0, 0, 0, U_FW_NORMAL, 1, 0, 0, U_EASTEUROPE_CHARSET, U_OUT_DEFAULT_PRECIS,
                           U_CLIP_DEFAULT_PRECIS, U_DEFAULT_QUALITY, U_DEFAULT_PITCH, "Arial");
    wemit(wcreatefontindirect_set(&font, wht, f));
    free(f);
    wemit(wselectobject_set(font, wht));
    wemit(U_WMRSETBKMODE_set(U_TRANSPARENT));
    wemit(U_WMRSETTEXTCOLOR_set(U_RGB(0, 120, 60)));
    U_POINT16 at = {1500, 1000};
    wemit(U_WMRTEXTOUT_set(at, "\xa3\xf3\x64\x9f")); /* "Łódź" in code page 1250 */
  }
  wemit(U_WMREOF_set());
  if (wmf_finish(wt)) fail("cannot write the WMF");
  wmf_free(&wt);
  wmf_htable_free(&wht);
}

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  char path[4096];
  snprintf(path, sizeof path, "%s/uemf_paths_bitmaps.emf", argv[1]);
  emf_sample(path);
  snprintf(path, sizeof path, "%s/uemf_plain_arcs.wmf", argv[1]);
  wmf_sample(path);
  return 0;
}
