#include <gtest/gtest.h>

#include <cmath>

#include "tests/RenderTestSupport.h"
#include "toolkit/render/Canvas.h"

namespace dw {
namespace {

using testing::CountPixels;
using testing::InkBounds;

constexpr std::uint32_t kBlack = 0xFF000000;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;

Canvas BlackCanvas(int width, int height, float scale) {
  Canvas canvas(width, height, scale);
  canvas.Clear(kBlack);
  return canvas;
}

bool IsWhite(const Canvas& canvas, int x, int y) {
  return canvas.PixelAt(x, y) == kWhite;
}

TEST(CanvasShapesTest, FilledEllipseStaysInItsBoundsAndIsSymmetric) {
  for (float scale : {1.0f, 2.0f}) {
    Canvas canvas = BlackCanvas(60, 60, scale);
    canvas.FillEllipse({2, 3, 22, 17}, kWhite);  // 20 x 14
    const PixelRect ink = InkBounds(canvas, kBlack);
    EXPECT_EQ(ink.Left, static_cast<int>(2 * scale));
    EXPECT_EQ(ink.Top, static_cast<int>(3 * scale));
    EXPECT_EQ(ink.Right, static_cast<int>(22 * scale));
    EXPECT_EQ(ink.Bottom, static_cast<int>(17 * scale));
    // Corners of the bounds are outside, the centre inside; mirror images agree.
    EXPECT_FALSE(IsWhite(canvas, ink.Left, ink.Top));
    EXPECT_FALSE(IsWhite(canvas, ink.Right - 1, ink.Bottom - 1));
    EXPECT_TRUE(IsWhite(canvas, (ink.Left + ink.Right) / 2, (ink.Top + ink.Bottom) / 2));
    for (int y = ink.Top; y < ink.Bottom; ++y) {
      for (int x = ink.Left; x < ink.Right; ++x) {
        const int mx = ink.Left + ink.Right - 1 - x;
        const int my = ink.Top + ink.Bottom - 1 - y;
        ASSERT_EQ(IsWhite(canvas, x, y), IsWhite(canvas, mx, y)) << x << "," << y;
        ASSERT_EQ(IsWhite(canvas, x, y), IsWhite(canvas, x, my)) << x << "," << y;
      }
    }
    // The area of an ellipse, within a pixel's worth of its rim.
    const double area = 3.14159265 * 10 * 7 * scale * scale;
    EXPECT_NEAR(CountPixels(canvas, kWhite), area, 2 * 3.1416 * 10 * scale);
  }
}

TEST(CanvasShapesTest, StrokedEllipseIsARingInsideTheBounds) {
  Canvas canvas = BlackCanvas(120, 120, 1);
  canvas.StrokeEllipse({10, 10, 110, 110}, 6, kWhite);  // radius 50, centre (60, 60)
  const PixelRect ink = InkBounds(canvas, kBlack);
  EXPECT_EQ(ink.Left, 10);
  EXPECT_EQ(ink.Right, 110);
  EXPECT_EQ(ink.Top, 10);
  EXPECT_EQ(ink.Bottom, 110);
  // Along the horizontal radius through the centre: 6 px of ring, then the hole.
  EXPECT_TRUE(IsWhite(canvas, 10, 60));
  EXPECT_TRUE(IsWhite(canvas, 15, 60));
  EXPECT_FALSE(IsWhite(canvas, 16, 60));
  EXPECT_FALSE(IsWhite(canvas, 60, 60));
  EXPECT_TRUE(IsWhite(canvas, 104, 60));
  EXPECT_FALSE(IsWhite(canvas, 103, 60));
}

// Which quarters of a ring around (50, 50) carry ink, probed in the middle of the stroke
// at 1:30, 4:30, 7:30 and 10:30.
struct Quarters {
  bool upperRight, lowerRight, lowerLeft, upperLeft;
};

Quarters InkedQuarters(const Canvas& canvas, float scale) {
  const double r = 45 * scale;  // box 100, thickness 10: the stroke's middle at radius 45
  const double c = 50 * scale;
  const double d = r / std::sqrt(2.0);
  auto at = [&](double dx, double dy) {
    return IsWhite(canvas, static_cast<int>(c + dx), static_cast<int>(c + dy));
  };
  return {at(d, -d), at(d, d), at(-d, d), at(-d, -d)};
}

struct ArcCase {
  const char* name;
  float start;
  float sweep;
  Quarters expected;
};

class ArcSweeps : public ::testing::TestWithParam<ArcCase> {};

TEST_P(ArcSweeps, CoverTheExpectedQuartersAtScaleOneAndTwo) {
  const ArcCase& c = GetParam();
  for (float scale : {1.0f, 2.0f}) {
    Canvas canvas =
        BlackCanvas(static_cast<int>(100 * scale), static_cast<int>(100 * scale), scale);
    canvas.DrawArc({0, 0, 100, 100}, c.start, c.sweep, 10, kWhite);
    const Quarters q = InkedQuarters(canvas, scale);
    EXPECT_EQ(q.upperRight, c.expected.upperRight) << c.name << " scale " << scale;
    EXPECT_EQ(q.lowerRight, c.expected.lowerRight) << c.name << " scale " << scale;
    EXPECT_EQ(q.lowerLeft, c.expected.lowerLeft) << c.name << " scale " << scale;
    EXPECT_EQ(q.upperLeft, c.expected.upperLeft) << c.name << " scale " << scale;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArcSweeps,
    ::testing::Values(ArcCase{"12 to 3 o'clock", -90, 90, {true, false, false, false}},
                      ArcCase{"12 to 9 o'clock", -90, -90, {false, false, false, true}},
                      ArcCase{"3 to 9 clockwise", 0, 180, {false, true, true, false}},
                      ArcCase{"start past a turn", 270, 90, {true, false, false, false}},
                      ArcCase{"three quarters back", 0, -270, {true, false, true, true}},
                      ArcCase{"nothing", -90, 0, {false, false, false, false}},
                      ArcCase{"held to a full ring", -90, 400, {true, true, true, true}},
                      ArcCase{"held back", -90, -400, {true, true, true, true}}));

TEST(CanvasShapesTest, QuarterArcStopsAtTwelveAndThree) {
  Canvas canvas = BlackCanvas(100, 100, 1);
  canvas.DrawArc({0, 0, 100, 100}, -90, 90, 10, kWhite);
  // Just right of 12 o'clock and just above 3 o'clock: inked; just past either end: not.
  EXPECT_TRUE(IsWhite(canvas, 51, 3));
  EXPECT_FALSE(IsWhite(canvas, 48, 3));
  EXPECT_TRUE(IsWhite(canvas, 96, 48));
  EXPECT_FALSE(IsWhite(canvas, 96, 51));
}

TEST(CanvasShapesTest, FullArcIsTheStrokedRingAndLiesInsideTheBounds) {
  for (float scale : {1.0f, 1.5f, 2.0f}) {
    const int size = static_cast<int>(92 * scale);
    Canvas arc = BlackCanvas(size, size, scale);
    arc.DrawArc({0, 0, 92, 92}, -90, 360, 6, kWhite);
    Canvas ring = BlackCanvas(size, size, scale);
    ring.StrokeEllipse({0, 0, 92, 92}, 6, kWhite);
    EXPECT_EQ(arc.Pixels(), ring.Pixels());
    const PixelRect ink = InkBounds(arc, kBlack);
    EXPECT_EQ(ink.Left, 0);
    EXPECT_EQ(ink.Right, size);
    // Stroke thickness 6 DIP, measured along the horizontal through the centre.
    const int y = size / 2;
    int run = 0;
    while (IsWhite(arc, run, y)) ++run;
    EXPECT_NEAR(run, 6 * scale, 1) << "scale " << scale;
  }
}

TEST(CanvasShapesTest, DegenerateArcsDrawNothing) {
  Canvas canvas = BlackCanvas(50, 50, 1);
  canvas.DrawArc({0, 0, 50, 50}, 0, 90, 0, kWhite);
  canvas.DrawArc({0, 0, 50, 50}, 0, std::nanf(""), 5, kWhite);
  canvas.DrawArc({0, 0, 0, 50}, 0, 90, 5, kWhite);
  canvas.DrawArc({0, 0, 50, 50}, std::numeric_limits<float>::infinity(), 90, 5, kWhite);
  EXPECT_EQ(CountPixels(canvas, kBlack), 2500);
  // Thicker than the radius: a pie.
  canvas.DrawArc({0, 0, 50, 50}, 0, 360, 100, kWhite);
  Canvas disc = BlackCanvas(50, 50, 1);
  disc.FillEllipse({0, 0, 50, 50}, kWhite);
  EXPECT_EQ(canvas.Pixels(), disc.Pixels());
}

TEST(CanvasShapesTest, LinesHaveSquareEndsAndTheirThickness) {
  Canvas canvas = BlackCanvas(40, 40, 2);
  canvas.DrawLine({5, 5}, {15, 5}, 2, kWhite);  // 4..16 x 4..6 DIP
  PixelRect ink = InkBounds(canvas, kBlack);
  EXPECT_EQ(ink.Left, 8);
  EXPECT_EQ(ink.Right, 32);
  EXPECT_EQ(ink.Top, 8);
  EXPECT_EQ(ink.Bottom, 12);
  EXPECT_EQ(CountPixels(canvas, kWhite), 24 * 4);

  // A diagonal: pixels along it inked, the corners of its bounds not.
  Canvas diagonal = BlackCanvas(40, 40, 1);
  diagonal.DrawLine({5, 5}, {35, 35}, 4, kWhite);
  for (int i = 6; i < 34; ++i) ASSERT_TRUE(IsWhite(diagonal, i, i)) << i;
  EXPECT_FALSE(IsWhite(diagonal, 34, 5));
  EXPECT_FALSE(IsWhite(diagonal, 5, 34));
  // The square end reaches thickness/2 beyond the end point along the line.
  EXPECT_TRUE(IsWhite(diagonal, 35, 35));
  EXPECT_FALSE(IsWhite(diagonal, 37, 37));
}

TEST(CanvasShapesTest, PolygonFillRules) {
  // Two overlapping squares in one outline, both clockwise: nonzero fills the overlap,
  // even-odd leaves it empty.
  const std::vector<PointF> twoSquares = {{0, 0},   {20, 0},  {20, 20}, {0, 20},  {0, 0},
                                          {10, 10}, {30, 10}, {30, 30}, {10, 30}, {10, 10}};
  Canvas nonzero = BlackCanvas(40, 40, 1);
  nonzero.FillPolygon(twoSquares, kWhite);
  Canvas evenOdd = BlackCanvas(40, 40, 1);
  evenOdd.FillPolygon(twoSquares, kWhite, FillRule::EvenOdd);
  EXPECT_TRUE(IsWhite(nonzero, 15, 15));
  EXPECT_FALSE(IsWhite(evenOdd, 15, 15));
  for (const Canvas* canvas : {&nonzero, &evenOdd}) {
    EXPECT_TRUE(IsWhite(*canvas, 5, 5));
    EXPECT_TRUE(IsWhite(*canvas, 25, 25));
    EXPECT_FALSE(IsWhite(*canvas, 25, 5));
    EXPECT_FALSE(IsWhite(*canvas, 35, 35));
  }
  EXPECT_EQ(CountPixels(nonzero, kWhite), 400 + 400 - 100);
  EXPECT_EQ(CountPixels(evenOdd, kWhite), 400 + 400 - 200);

  // A triangle at scale 2: the pixel-centre rule on exact edges.
  Canvas triangle = BlackCanvas(20, 20, 2);
  triangle.FillPolygon({{0, 0}, {8, 0}, {0, 8}}, kWhite);
  // Centres on the slanted edge (x + y = 15) are outside: rows of 15, 14, ... 0 pixels.
  EXPECT_EQ(CountPixels(triangle, kWhite), 15 * 16 / 2);
  EXPECT_TRUE(IsWhite(triangle, 0, 14));
  EXPECT_FALSE(IsWhite(triangle, 0, 15));
  EXPECT_TRUE(IsWhite(triangle, 14, 0));
  EXPECT_FALSE(IsWhite(triangle, 8, 7));

  // Too few points, or points that are not numbers: nothing.
  Canvas none = BlackCanvas(10, 10, 1);
  none.FillPolygon({{0, 0}, {9, 9}}, kWhite);
  none.FillPolygon({{0, 0}, {9, 0}, {std::nanf(""), 9}}, kWhite);
  EXPECT_EQ(CountPixels(none, kBlack), 100);
}

TEST(CanvasShapesTest, ShapesRespectClipAndOpacity) {
  Canvas canvas = BlackCanvas(40, 40, 1);
  canvas.PushClip({0, 0, 20, 40});
  canvas.PushOpacity(0.5f);
  canvas.FillEllipse({0, 0, 40, 40}, kWhite);
  canvas.PopOpacity();
  canvas.PopClip();
  EXPECT_EQ(canvas.PixelAt(19, 20), 0xFF808080);
  EXPECT_EQ(canvas.PixelAt(20, 20), kBlack);
}

}  // namespace
}  // namespace dw
