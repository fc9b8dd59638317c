#include "widgets/chimei_ctl.h"
#include "widgets/qcolor_ref.h"

#include "widgets/glyph_source.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <cmath>
#include <cstdint>

namespace {

constexpr int kViewportWidth = 36;
constexpr int kCanvasWidth = 37;
constexpr QPoint kGlyphBoxPos(40, 2);
constexpr int kGlyphBoxSize = 16;

// Draws a retained image; the canvas also keeps inside its viewport's border.
class ImageSurface : public QWidget {
public:
    ImageSurface(const QImage *image, QWidget *parent) : QWidget(parent), image_(image) {}

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        if (auto *frame = qobject_cast<QFrame *>(parentWidget()))
            p.setClipRect(frame->contentsRect().translated(-pos()));
        // Shown at a whole zoom: the dots blown up once per picture, then copied as
        // they are at every scroll step instead of scaled again.
        const QTransform &t = p.deviceTransform();
        const int whole = qRound(t.m11());
        if (t.type() <= QTransform::TxScale && whole > 1 && qFuzzyCompare(t.m11(), qreal(whole)) &&
            qFuzzyCompare(t.m22(), qreal(whole))) {
            if (blownKey_ != image_->cacheKey() || blownBy_ != whole) {
                blown_ = image_->scaled(image_->size() * whole, Qt::IgnoreAspectRatio, Qt::FastTransformation);
                blownKey_ = image_->cacheKey();
                blownBy_ = whole;
            }
            // In device pixels the copy is a plain blit, not an image scaled by one.
            p.scale(1.0 / whole, 1.0 / whole);
            p.drawImage(QPointF(0, 0), blown_);
            return;
        }
        p.drawImage(0, 0, *image_);
    }

private:
    const QImage *image_;
    QImage blown_;
    qint64 blownKey_ = 0;
    int blownBy_ = 0;
};

int frameInterval() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double rate = screen ? screen->refreshRate() : 0.0;
    return static_cast<int>(std::lround(1000.0 / (rate >= 10.0 ? rate : 60.0)));
}

}  // namespace

ChimeiCtl_B::ChimeiCtl_B(QWidget *parent)
    : QWidget(parent),
      scroll_({[this] { return speed_; }, [this](int v) { setSpeed(v); }, [this] { return scrollStartWait_; },
               [this] { return viewportHeight(); }}) {
    resize(35, chimei::kStripHeight);

    picture2_ = new QFrame(this);
    picture2_->setObjectName(QStringLiteral("Picture2"));
    picture2_->setGeometry(0, 0, kViewportWidth, chimei::kStripHeight);
    picture2_->setAutoFillBackground(true);

    canvas_ = QImage(kCanvasWidth, chimei::kStripHeight, QImage::Format_RGB32);
    picture1_ = new ImageSurface(&canvas_, picture2_);
    picture1_->setObjectName(QStringLiteral("Picture1"));

    glyphBox_ = QImage(kGlyphBoxSize, kGlyphBoxSize, QImage::Format_RGB32);
    glyphBox_.fill(Qt::white);
    picture3_ = new ImageSurface(&glyphBox_, this);
    picture3_->setObjectName(QStringLiteral("Picture3"));
    picture3_->setGeometry(QRect(kGlyphBoxPos, QSize(kGlyphBoxSize, kGlyphBoxSize)));
    QFont glyphFont(chimei::faceName(chimei::Face::Gothic));
    glyphFont.setPointSize(12);
    picture3_->setFont(glyphFont);

    applyViewportLook();
    clearCanvas(chimei::kStripHeight);
    placeCanvas(0);

    frameTimer_ = new QTimer(this);
    frameTimer_->setTimerType(Qt::PreciseTimer);
    frameTimer_->setInterval(frameInterval());
    connect(frameTimer_, &QTimer::timeout, this, &ChimeiCtl_B::onFrame);
}

// --- properties -------------------------------------------------------------

void ChimeiCtl_B::markChanged(const char *name) {
    propertiesChanged_ = true;
    emit propertyChanged(QString::fromLatin1(name));
}

COLORREF ChimeiCtl_B::BackColor() const { return backColor_; }
void ChimeiCtl_B::setBackColor(COLORREF c) {
    backColor_ = c;
    clearCanvas(canvas_.height());
    applyViewportLook();
    markChanged("BackColor");
}

COLORREF ChimeiCtl_B::ForeColor() const { return foreColor_; }
void ChimeiCtl_B::setForeColor(COLORREF c) {
    foreColor_ = c;
    markChanged("ForeColor");
}

int ChimeiCtl_B::Speed() const { return speed_; }
void ChimeiCtl_B::setSpeed(int v) {
    speed_ = v;
    markChanged("Speed");
}

int ChimeiCtl_B::ScrollStartWait() const { return scrollStartWait_; }
void ChimeiCtl_B::setScrollStartWait(int v) {
    scrollStartWait_ = v;
    markChanged("ScrollStartWait");
}

int ChimeiCtl_B::Mode() const { return mode_; }
void ChimeiCtl_B::setMode(int v) {
    mode_ = v;
    markChanged("Mode");
}

int ChimeiCtl_B::Appearance() const { return appearance_; }
void ChimeiCtl_B::setAppearance(int v) {
    appearance_ = v;
    clearCanvas(canvas_.height());
    if (v != 0)
        picture2_->resize(37, 195);
    else
        picture2_->resize(35, 185);
    applyViewportLook();
    markChanged("Appearance");
}

int ChimeiCtl_B::FontMode() const { return fontMode_; }
void ChimeiCtl_B::setFontMode(int v) {
    fontMode_ = v;
    markChanged("FontMode");
}

bool ChimeiCtl_B::FontBold() const { return fontBold_; }
void ChimeiCtl_B::setFontBold(bool v) {
    fontBold_ = v;
    QFont f = picture3_->font();
    f.setBold(v);
    picture3_->setFont(f);
    markChanged("FontBold");
}

void ChimeiCtl_B::ReadProperties(const QVariantMap &bag) {
    auto intOr = [&bag](const char *key, int fallback) {
        bool ok = false;
        const int v = bag.value(QString::fromLatin1(key)).toInt(&ok);
        return ok ? v : fallback;
    };
    auto int16Or = [&](const char *key, int fallback) { return int(std::int16_t(intOr(key, fallback))); };
    bool ok = false;
    const uint back = bag.value(QStringLiteral("BackColor")).toUInt(&ok);
    backColor_ = ok ? back : 8421504u;
    const uint fore = bag.value(QStringLiteral("ForeColor")).toUInt(&ok);
    foreColor_ = ok ? fore : 48895u;
    speed_ = int16Or("Speed", 5);
    scrollStartWait_ = intOr("ScrollStartWait", 1500);
    mode_ = int16Or("Mode", 2);
    appearance_ = int16Or("Appearance", 1);
    fontMode_ = int16Or("FontMode", 0);
    const QVariant bold = bag.value(QStringLiteral("FontBold"));
    fontBold_ = bold.isValid() && bold.toBool();
    QFont f = picture3_->font();
    f.setBold(fontBold_);
    picture3_->setFont(f);
    clearCanvas(canvas_.height());
    applyViewportLook();
    propertiesChanged_ = false;
    // The strip's fonts are unpacked meanwhile, off the window thread.
    if (fontMode_ != 1) GlyphSource::shared().prefetch(chimei::Face::Gothic, fontBold_);
    if (fontMode_ != 0) GlyphSource::shared().prefetch(chimei::Face::Mincho, fontBold_);
}

QVariantMap ChimeiCtl_B::WriteProperties() const {
    QVariantMap bag;
    bag.insert(QStringLiteral("BackColor"), backColor_);
    bag.insert(QStringLiteral("ForeColor"), foreColor_);
    bag.insert(QStringLiteral("Speed"), speed_);
    bag.insert(QStringLiteral("ScrollStartWait"), scrollStartWait_);
    bag.insert(QStringLiteral("Mode"), mode_);
    bag.insert(QStringLiteral("Appearance"), picture2_->frameShape() == QFrame::NoFrame ? 0 : 1);
    bag.insert(QStringLiteral("FontMode"), fontMode_);
    bag.insert(QStringLiteral("FontBold"), fontBold_);
    return bag;
}

// --- surfaces ---------------------------------------------------------------

void ChimeiCtl_B::clearCanvas(int height) {
    if (canvas_.height() != height) canvas_ = QImage(kCanvasWidth, height, QImage::Format_RGB32);
    canvas_.fill(toQColor(backColor_));
    cells_.clear();
    picture1_->resize(kCanvasWidth, height);
    picture1_->update();
}

void ChimeiCtl_B::applyViewportLook() {
    const int top = canvasTop();
    // Three-dimensional: a one-pixel sunken edge; flat: no edge at all.
    if (appearance_ != 0) {
        picture2_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        picture2_->setLineWidth(1);
    } else {
        picture2_->setFrameStyle(QFrame::NoFrame);
    }
    QPalette pal = picture2_->palette();
    pal.setColor(QPalette::Window, toQColor(backColor_));
    picture2_->setPalette(pal);
    // Without an edge the canvas covers every pixel it is over: the viewport's
    // background under it need not be filled at each scroll step.
    picture1_->setAttribute(Qt::WA_OpaquePaintEvent, appearance_ == 0);
    placeCanvas(top);
    picture2_->update();
}

void ChimeiCtl_B::placeCanvas(int top) {
    const QPoint origin = picture2_->contentsRect().topLeft();
    picture1_->move(origin.x(), origin.y() + top);
}

int ChimeiCtl_B::canvasTop() const { return picture1_->y() - picture2_->contentsRect().y(); }

int ChimeiCtl_B::viewportHeight() const { return picture2_->contentsRect().height(); }

void ChimeiCtl_B::Refresh() {
    picture1_->update();
    picture2_->update();
}

// --- drawing ----------------------------------------------------------------

void ChimeiCtl_B::SetChimei(const QString &strText) {
    // Events are not pumped here: the caller's handler returns to the event loop
    // right after, which paints, and the scroll continues from its timer.
    text_ = strText;
    clearCanvas(chimei::kStripHeight);
    applyViewportLook();
    if (strText.isEmpty()) {
        // A blank strip has nothing left to scroll: the running scroll ends too.
        scroll_.stop();
        frameTimer_->stop();
        placeCanvas(0);
        return;
    }

    const chimei::Layout layout = chimei::layoutText(strText, mode_);
    clearCanvas(layout.canvasHeight);
    // A still name is visible at once; a scrolling one waits just below the viewport.
    placeCanvas(layout.scrolls ? viewportHeight() : 0);
    for (const chimei::CellPlace &cell : layout.cells) DrawDot16(cell.x, cell.y, cell.text);

    // The newest text wins: whatever scrolled before ends here, for good.
    scroll_.stop();
    frameTimer_->stop();
    if (layout.scrolls) {
        scroll_.start(layout.canvasHeight);
        placeCanvas(scroll_.canvasTop());
        frameClock_.start();
        frameTimer_->start();
    }
    Refresh();
}

void ChimeiCtl_B::DrawDot16(int x, int y, const QString &text) {
    glyphBox_.fill(Qt::white);
    if (text.isEmpty()) {
        picture3_->update();
        return;
    }
    const chimei::CellRule rule = chimei::cellRule(text, fontMode_);
    const chimei::Face face = chimei::faceFor(text, fontMode_);
    const QString faceName = chimei::faceName(face);
    if (picture3_->font().family() != faceName || picture3_->font().bold() != fontBold_) {
        QFont f = picture3_->font();
        f.setFamily(faceName);
        f.setBold(fontBold_);
        picture3_->setFont(f);
    }
    GlyphSource::shared().draw(glyphBox_, rule.drawn, face, fontBold_, rule.dx, rule.dy);
    picture3_->update();

    // Every exactly-black pixel of the glyph box becomes one dot on the 2-pixel
    // pitch; a turned character is mirrored on the main diagonal.
    const QRgb dot = toQColor(foreColor_).rgb();
    const QRgb black = qRgb(0, 0, 0);
    for (int gy = 0; gy < kGlyphBoxSize; ++gy) {
        const auto *line = reinterpret_cast<const QRgb *>(glyphBox_.constScanLine(gy));
        for (int gx = 0; gx < kGlyphBoxSize; ++gx) {
            if ((line[gx] & 0xFFFFFF) != (black & 0xFFFFFF)) continue;
            const int px = x + 2 * (rule.turned ? gy : gx);
            const int py = y + 2 * (rule.turned ? gx : gy);
            if (px >= 0 && py >= 0 && px < canvas_.width() && py < canvas_.height()) canvas_.setPixel(px, py, dot);
        }
    }
    cells_.push_back({text, x, y, rule.turned, faceName});
    picture1_->update();
}

// --- scrolling --------------------------------------------------------------

void ChimeiCtl_B::onFrame() {
    const double ms = static_cast<double>(frameClock_.nsecsElapsed()) / 1e6;
    frameClock_.restart();
    advanceScroll(ms);
}

void ChimeiCtl_B::advanceScroll(double ms) {
    if (!scroll_.running()) return;
    scroll_.advance(ms);
    // Moving the retained canvas is all a frame does; the glyphs were drawn once.
    placeCanvas(scroll_.canvasTop());
    if (!scroll_.running()) frameTimer_->stop();
}

// --- dump -------------------------------------------------------------------

QJsonObject ChimeiCtl_B::dumpState() const {
    QJsonArray cells;
    for (const DrawnCell &c : cells_)
        cells.append(QJsonObject{{"text", c.text}, {"x", c.x}, {"y", c.y}, {"turned", c.turned}, {"face", c.face}});
    const char *phase = scroll_.phase() == chimei::ScrollModel::Phase::Pausing    ? "pausing"
                        : scroll_.phase() == chimei::ScrollModel::Phase::Stepping ? "stepping"
                                                                                  : "idle";
    return QJsonObject{
        {"text", text_},
        {"cells", cells},
        {"canvasTop", canvasTop()},
        {"canvasHeight", canvas_.height()},
        {"scrolling", scroll_.running()},
        {"scrollPhase", QString::fromLatin1(phase)},
        {"scrollPasses", scroll_.passes()},
        {"viewportWidth", picture2_->width()},
        {"viewportHeight", picture2_->height()},
        {"BackColor", static_cast<qint64>(backColor_)},
        {"ForeColor", static_cast<qint64>(foreColor_)},
        {"Speed", speed_},
        {"ScrollStartWait", scrollStartWait_},
        {"Mode", mode_},
        {"Appearance", appearance_},
        {"FontMode", fontMode_},
        {"FontBold", fontBold_},
    };
}
