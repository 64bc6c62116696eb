// The PDF surface: writes a one-page PDF file directly, each primitive as path operators with
// numbers to a hundredth of a pixel (more in user units under a scaling transform), pens and
// brushes as colours and hatch tiling patterns, line widths, caps, joins and dashes,
// transparency as graphics states. Text is laid out with Qt's font metrics at 96 dpi, as the
// picture export lays it out, and written with the fonts embedded as subsets (TrueType, or whole
// OpenType fonts with CFF outlines); a font that cannot be read or may not be embedded is drawn
// as outlines. Gradients, turned and right-to-left text and image files are painted with the
// picture export's surface and embedded as images of the area they cover. The page measures the
// figure's pixels at 96 per inch.
#pragma once

#include "desktop/qt/picture_canvas.h"
#include "desktop/qt/qt_font.h"
#include "desktop/qt/svg_surface.h"
#include "render/font_subset.h"
#include "render/pdf_document.h"
#include "render/surface.h"

#include <QImage>
#include <QPainterPath>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPainter;
class QGlyphRun;
class QRawFont;

namespace render {
class PdfDocument;
class QtSurface;
} // namespace render

namespace desktop {

using render::Brush;
using render::Font;
using render::Pen;
using render::Point2D;
using render::RectF;
using render::StringFormat;

class PdfSurface : public render::DrawingSurface {
public:
    struct Paint;

    // A page of `width` x `height` pixels (96 per inch) with `title`. With `answers`, how text
    // measures and lays out is looked up there first and remembered there.
    PdfSurface(int width, int height, const std::string& title, FontAnswers* answers = nullptr);
    ~PdfSurface() override;

    // The file: everything drawn so far on its page. Throws std::bad_alloc when memory runs out.
    std::string finish();

    void setWorldTransform(const geom::Matrix2D& matrix) override;
    geom::Matrix2D worldTransform() const override { return m_vector.world(); }
    void multiplyWorldTransform(const geom::Matrix2D& matrix, render::MatrixOrder order) override;
    void scaleWorldTransform(float sx, float sy, render::MatrixOrder order) override;
    render::ContainerState beginContainer() override;
    void endContainer(render::ContainerState state) override;
    bool setSmoothingMode(render::SmoothingMode mode) override;

    void drawLine(const Pen& pen, Point2D from, Point2D to) override;
    void drawPolyline(const Pen& pen, std::span<const Point2D> points) override;
    void drawLines(const Pen& pen, std::span<const Point2D> endPoints) override;
    void drawBezier(const Pen& pen, Point2D p1, Point2D c1, Point2D c2, Point2D p2) override;
    void drawCurve(const Pen& pen, std::span<const Point2D> points, float tension) override;
    void drawClosedCurve(const Pen& pen, std::span<const Point2D> points, float tension) override;
    void drawArc(const Pen& pen, const RectF& bounds, float startAngle, float sweepAngle) override;

    void drawRectangle(const Pen& pen, const RectF& rect) override;
    void fillRectangle(const Brush& brush, const RectF& rect) override;
    void drawEllipse(const Pen& pen, const RectF& bounds) override;
    void fillEllipse(const Brush& brush, const RectF& bounds) override;
    void drawPie(const Pen& pen, const RectF& bounds, float startAngle, float sweepAngle) override;
    void fillPie(const Brush& brush, const RectF& bounds, float startAngle,
                 float sweepAngle) override;
    void drawPolygon(const Pen& pen, std::span<const Point2D> points) override;
    void fillPolygon(const Brush& brush, std::span<const Point2D> points,
                     render::FillMode mode) override;
    void fillClosedCurve(const Brush& brush, std::span<const Point2D> points, float tension,
                         render::FillMode mode) override;

    void drawString(std::string_view text, const Font& font, const Brush& brush,
                    const RectF& layout, const StringFormat& format) override;
    RectF measureString(std::string_view text, const Font& font, const RectF& layout,
                        const StringFormat& format) override;
    float fontLineHeight(const Font& font) override;

    bool drawImageFile(const std::string& path, Point2D topLeft) override;
    bool drawImageFile(const std::string& path, const RectF& rect) override;

    render::SurfaceStatus lastStatus() const override { return m_status; }

private:
    // The graphics state the content has set, so that only changes are written.
    struct GraphicsState {
        std::uint32_t strokeRgb = 0;
        std::uint32_t fillRgb = 0;
        std::uint32_t alpha = 0xFF;
        double lineWidth = 1;
        render::LineEnds ends = render::LineEnds::Flat;
        std::vector<double> dashes;
    };
    // A font file whose glyphs the text uses, embedded at finish.
    struct EmbeddedFont {
        std::string resourceName; // "F0", ...
        std::vector<render::FontTable> tables;
        std::optional<render::FontFacts> facts; // none when it may not be embedded
        std::vector<bool> used;                 // by glyph id
        std::vector<char32_t> unicode;          // by glyph id, 0 where unknown
    };
    struct FontFile {
        std::string path;
        int face = 0; // within a collection
    };
    struct Glyph {
        std::uint32_t id = 0;
        double x = 0, y = 0;  // the origin on the baseline, from the layout rectangle's corner
        char32_t unicode = 0; // the character it shows, 0 where unknown
    };
    // Glyphs of one font as the layout placed them: remembered with the font's answers, so that
    // a later export of the same text needs no font machinery.
    struct GlyphRun {
        std::string family;
        std::string file; // empty when the glyphs are drawn as `outlines`
        int face = 0;
        double pixelSize = 0;
        int decorations = 0; // underline, strikeOut, overline
        double underlinePosition = 0, lineThickness = 0, ascent = 0;
        double left = 0, width = 0; // the run's extent, for decorations
        std::vector<Glyph> glyphs;
        QPainterPath outlines;
    };
    struct PatternObject {
        render::HatchBrush hatch;
        std::string matrix; // pattern space to the page's default space
    };
    struct ImageObject {
        int width = 0;
        int height = 0;
        std::string rgb;
        std::string alpha; // empty when every pixel is opaque
    };
    enum class Placement { Stroke, Fill };
    enum class Isolation { Shared, Saved }; // Saved: in q ... Q even without a matrix (a clip)

    bool usable(std::span<const Point2D> points, std::size_t minimum);
    bool usable(const RectF& rect);
    // Starts an element in the current world transform (strokes moved by half a pixel, as on
    // the picture export); a transform other than a translation is written as a matrix.
    void beginElement(Placement placement, Isolation isolation = Isolation::Shared);
    void endElement();
    void writeCoordinates(double x, double y);
    void writePoints(std::span<const Point2D> points);
    void writePath(const QPainterPath& path);
    void writeRgb(std::uint32_t argb, std::string_view operatorName);
    void writeRectangle(const RectF& rect);
    void useAlpha(std::uint32_t alpha);
    void useStroke(const Pen& pen, const Paint& paint);
    void useFill(std::uint32_t colour);
    void useFill(const Paint& paint);
    // The resource name of the tiling pattern of `hatch` in the current transform.
    std::string hatchPattern(const render::HatchBrush& hatch, Placement placement);
    // Strokes or fills what `write` writes in the pen's or brush's paint, or embeds `painted`
    // for a gradient.
    template <typename Write, typename Draw> void stroke(const Pen& pen, Write write, Draw painted);
    template <typename Write, typename Draw>
    void fill(const Brush& brush, Write write, Draw painted);
    template <typename Draw>
    void strokePath(const Pen& pen, const QPainterPath& path, Draw painted);
    template <typename Draw>
    void fillPath(const Brush& brush, const QPainterPath& path, Draw painted);
    template <typename Draw> void embedPainted(Draw draw);
    std::vector<GlyphRun> glyphRuns(std::string_view text, const Font& font, const RectF& layout,
                                    const StringFormat& format);
    std::optional<std::vector<GlyphRun>> parseRuns(std::string_view answer);
    std::vector<GlyphRun> layOutRuns(std::string_view text, const Font& font, const RectF& layout,
                                     const StringFormat& format);
    GlyphRun recordRun(const QGlyphRun& laid, const std::u32string& codes);
    void writeGlyphs(const GlyphRun& run, EmbeddedFont& font, Point2D origin);
    void writeTextDecorations(const GlyphRun& run, Point2D origin);
    std::optional<FontFile> fontFileOf(const QRawFont& raw);
    // The font of face `face` of the file at `path`, read at its first use; none when the file
    // cannot be read as a font.
    EmbeddedFont* embeddedFont(const std::string& path, int face);
    void writeFont(render::PdfDocument& document, const EmbeddedFont& font, int fontObject);
    std::string resources(render::PdfDocument& document);

    int m_width;
    int m_height;
    std::string m_title;
    std::string m_content;
    GraphicsState m_state;
    std::optional<GraphicsState> m_outerState; // the state outside an element's q ... Q
    int m_elementDecimals = 2; // of the element being written
    double m_elementScale = 1; // how much the element's matrix enlarges lengths
    double m_offsetX = 0;      // the element's translation, when it is one, added to coordinates
    double m_offsetY = 0;
    VectorState m_vector{render::pdfPixelDecimals};
    FontAnswers* m_answers;
    SvgSurface m_measuring; // text measures as the SVG export measures it, sharing its answers
    render::QtFontResolver m_fonts;
    QImage m_metricsDevice; // fonts lay out as on the exported picture
    std::map<std::string, std::unique_ptr<EmbeddedFont>> m_embedded; // by file and face
    std::vector<EmbeddedFont*> m_fontOrder;                          // those that embed
    std::map<std::string, std::optional<FontFile>> m_fontFiles;      // by family and header table
    std::array<bool, 256> m_alphasUsed{};
    std::vector<PatternObject> m_patterns;
    std::vector<ImageObject> m_images;
    PictureCanvas m_pictures; // where embedded pictures are painted
    render::SurfaceStatus m_status = render::SurfaceStatus::Ok;
};

} // namespace desktop
