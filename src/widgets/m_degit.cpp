#include "widgets/m_degit.h"
#include "widgets/qcolor_ref.h"

#include "widgets/digit_faces.h"
#include "core/digit_text.h"

#include <QMouseEvent>
#include <QHash>
#include <QPainter>
#include <QtMath>

#include <cstdint>

M_Degit::M_Degit(QWidget *parent)
    : QWidget(parent), baseForeColor_(RGB(150, 150, 150)), degitForeColor_(RGB(248, 210, 114)), value_(0),
      backColor_(RGB(128, 128, 128)) {
    // The whole surface comes from the retained picture; nothing needs clearing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    const digit_faces::SizeStep step = digit_faces::sizeStep(degitSize_);
    resize(step.cellWidth * keta_, step.height);
    // The first drawing runs before any position exists: it only clears the surface.
    // The defaults are then in place, and the first digits appear with the first
    // property a host sets that repaints.
    const int keta = keta_;
    keta_ = 0;
    value_ = QStringLiteral("0");
    DrawDegit();
    flushSurface();
    keta_ = keta;
    value_ = 0;
}

COLORREF M_Degit::BaseForeColor() const { return baseForeColor_; }
void M_Degit::setBaseForeColor(COLORREF c) {
    baseForeColor_ = c;
    DrawDegit();
}

COLORREF M_Degit::DegitForeColor() const { return degitForeColor_; }
void M_Degit::setDegitForeColor(COLORREF c) {
    degitForeColor_ = c;
    DrawDegit();
}

int M_Degit::FillZero() const { return fillZero_; }
void M_Degit::setFillZero(int v) { fillZero_ = v > keta_ ? keta_ : v; }

int M_Degit::ZeroMode() const { return zeroMode_; }
void M_Degit::setZeroMode(int v) { zeroMode_ = v >= 4 ? 0 : v; }

int M_Degit::Shift() const { return shift_; }
void M_Degit::setShift(int v) { shift_ = qBound(0, v, keta_ - 1); }

int M_Degit::Keta() const { return keta_; }
void M_Degit::setKeta(int v) {
    keta_ = v < 1 || v > 15 ? 4 : v;
    resizeToKeta();
}

int M_Degit::DegitSize() const { return degitSize_; }
void M_Degit::setDegitSize(int v) {
    degitSize_ = v >= 1 && v <= 3 ? v : 0;
    resizeToKeta();
}

int M_Degit::DegitStyle() const { return degitStyle_; }
void M_Degit::setDegitStyle(int v) {
    degitStyle_ = v;
    DrawDegit();
}

QVariant M_Degit::Value() const { return value_; }
void M_Degit::setValue(const QVariant &v) {
    value_ = digit_text::normalizeValue(v);
    DrawDegit();
}

bool M_Degit::UserSet() const { return userSet_; }
void M_Degit::setUserSet(bool v) { userSet_ = v; }

COLORREF M_Degit::BackColor() const { return backColor_; }
void M_Degit::setBackColor(COLORREF c) {
    backColor_ = c;
    DrawDegit();
}

QString M_Degit::litText() const { return lit_; }

const QImage &M_Degit::picture() const {
    matchSurfaceToWidget();
    flushSurface();
    return surface_;
}

QJsonObject M_Degit::dumpState() const {
    QJsonObject o;
    o.insert(QStringLiteral("BaseForeColor"), double(baseForeColor_));
    o.insert(QStringLiteral("DegitForeColor"), double(degitForeColor_));
    o.insert(QStringLiteral("FillZero"), fillZero_);
    o.insert(QStringLiteral("ZeroMode"), zeroMode_);
    o.insert(QStringLiteral("Shift"), shift_);
    o.insert(QStringLiteral("Keta"), keta_);
    o.insert(QStringLiteral("DegitSize"), degitSize_);
    o.insert(QStringLiteral("DegitStyle"), degitStyle_);
    if (digit_text::isText(value_)) o.insert(QStringLiteral("Value"), value_.toString());
    else if (digit_text::isFraction(value_)) o.insert(QStringLiteral("Value"), value_.toDouble());
    else o.insert(QStringLiteral("Value"), value_.toInt());
    o.insert(QStringLiteral("UserSet"), userSet_);
    o.insert(QStringLiteral("BackColor"), double(backColor_));
    o.insert(QStringLiteral("lit"), lit_);
    return o;
}

int M_Degit::ShowSetDlg() {
    DigitSettingsRequest request{keta_, std::int16_t(zeroMode_), std::int16_t(shift_), std::int16_t(fillZero_), 0};
    emit settingsDialogWanted(request);
    // Taken back as the dialog left them, also on cancel; the drawing copes with any value.
    zeroMode_ = request.zeroMode;
    shift_ = request.shift;
    fillZero_ = request.fillZero;
    DrawDegit();
    return request.result;
}

void M_Degit::ResetDegit(bool nMode) {
    const int shift = shift_, zeroMode = zeroMode_, fillZero = fillZero_;
    setShift(0);
    setZeroMode(0);
    setFillZero(0);
    setValue(nMode ? QString(keta_, QLatin1Char('8')) : QString());
    // Back through the setters, which do not repaint: the lamp test or blank stays.
    setShift(shift);
    setZeroMode(zeroMode);
    setFillZero(fillZero);
}

void M_Degit::resizeToKeta() {
    const digit_faces::SizeStep step = digit_faces::sizeStep(degitSize_);
    resize(step.cellWidth * keta_, step.height);
    DrawDegit();
}

// The picture follows the control's size; what was drawn stays, new area shows the
// background until the next repaint.
void M_Degit::matchSurfaceToWidget() const {
    if (surface_.size() == size()) return;
    flushSurface();
    if (width() <= 0 || height() <= 0) {
        surface_ = QImage();
        return;
    }
    QImage grown(size(), QImage::Format_RGB32);
    grown.fill(toQColor(backColor_));
    if (!surface_.isNull()) {
        QPainter p(&grown);
        p.drawImage(0, 0, surface_);
    }
    surface_ = grown;
}

// At a whole `scale` above 1 the painter is in device pixels and glyphs come ready
// rasterised; otherwise the outlines are drawn through the painter's transform.
// Glyph cells start one pixel above the top edge, where the digit faces have always sat.
constexpr int kGlyphTop = -1;

void M_Degit::paintFaces(QPainter &p, int width) const {
    constexpr int top = kGlyphTop;
    const QString unlit(drawnKeta_, QLatin1Char('8'));
    const int litX = width - digit_faces::textWidth(lit_, degitSize_, charExtra_);
    digit_faces::drawText(p, unlit, 0, top, degitSize_, degitStyle_, faceBold_, charExtra_, toQColor(baseForeColor_));
    digit_faces::drawText(p, lit_, litX, top, degitSize_, degitStyle_, faceBold_, charExtra_, toQColor(degitForeColor_));
}

void M_Degit::DrawDegit() {
    lit_ = digit_text::litText(value_, zeroMode_, fillZero_, shift_, keta_);
    matchSurfaceToWidget();
    // A fare step sets all 32 displays: only those whose picture changes are painted
    // again (and sent to the screen, which at 4x full screen is what costs).
    const Look look{lit_, keta_, surface_.size(), degitSize_, degitStyle_, baseForeColor_, degitForeColor_, backColor_};
    if (shown_ == look) return;
    shown_ = look;
    drawnWidth_ = surface_.width();
    drawnKeta_ = keta_;
    surfacePending_ = true;
    sharp_ = QImage();
    update();
}

// The 1x picture is drawn when it is first needed: a board shown scaled never
// needs it, only its sharp picture.
void M_Degit::flushSurface() const {
    if (!surfacePending_) return;
    surfacePending_ = false;
    if (surface_.isNull()) return;
    surface_.fill(toQColor(backColor_));
    QPainter p(&surface_);
    paintFaces(p, surface_.width());
}

// The same picture drawn again at `scale` device pixels per pixel: the segments are
// outlines, so they come out sharp at any zoom or screen density.
const QImage &M_Degit::sharpPicture(qreal scale) const {
    const QSize device(qCeil(width() * scale), qCeil(height() * scale));
    if (!sharp_.isNull() && sharp_.size() == device && qFuzzyCompare(sharp_.devicePixelRatio(), scale)) return sharp_;
    const int whole = qRound(scale);
    if (qFuzzyCompare(scale, qreal(whole)) && drawnWidth_ > 0) {
        // Displays that show the same digits the same way share one picture: a fare
        // step sets all 32 displays, and most of their values were shown before.
        static QHash<QString, QImage> pictures;
        // The unlit eights look the same on every display alike: drawn once, copied.
        static QHash<QString, QImage> unlitRows;
        const QString key = QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8,%9")
                                .arg(drawnKeta_).arg(degitSize_).arg(degitStyle_).arg(charExtra_)
                                .arg(baseForeColor_).arg(backColor_).arg(whole).arg(drawnWidth_).arg(height());
        const QString pictureKey =
            key + QStringLiteral(",%1x%2,%3,").arg(device.width()).arg(device.height()).arg(degitForeColor_) + lit_;
        const auto known = pictures.constFind(pictureKey);
        if (known != pictures.constEnd()) {
            sharp_ = *known;
            return sharp_;
        }
        const QRect clip(0, 0, drawnWidth_ * whole, height() * whole);
        auto row = unlitRows.find(key);
        if (row == unlitRows.end()) {
            if (unlitRows.size() > 256) unlitRows.clear();
            QImage image(device, QImage::Format_RGB32);
            image.fill(toQColor(backColor_));
            digit_faces::drawTextScaled(image, clip, QString(drawnKeta_, QLatin1Char('8')), 0, kGlyphTop, degitSize_,
                                        degitStyle_, faceBold_, charExtra_, toQColor(baseForeColor_), whole);
            row = unlitRows.insert(key, image);
        }
        sharp_ = row->copy();
        const int litX = drawnWidth_ - digit_faces::textWidth(lit_, degitSize_, charExtra_);
        digit_faces::drawTextScaled(sharp_, clip, lit_, litX, kGlyphTop, degitSize_, degitStyle_, faceBold_, charExtra_,
                                    toQColor(degitForeColor_), whole);
        sharp_.setDevicePixelRatio(scale);
        if (pictures.size() > 256) pictures.clear();
        pictures.insert(pictureKey, sharp_);
    } else {
        sharp_ = QImage(device, QImage::Format_RGB32);
        sharp_.fill(toQColor(backColor_));
        if (drawnWidth_ > 0) {
            QPainter p(&sharp_);
            p.scale(scale, scale);
            p.setClipRect(QRect(0, 0, drawnWidth_, height()));
            paintFaces(p, drawnWidth_);
        }
    }
    sharp_.setDevicePixelRatio(scale);
    return sharp_;
}

void M_Degit::paintEvent(QPaintEvent *) {
    QPainter p(this);
    // Shown larger than 1:1 (zoom, a dense screen): draw at the device's resolution.
    const QTransform &t = p.deviceTransform();
    const qreal scale = t.m11();
    if (t.type() <= QTransform::TxScale && scale > 1.0 && qFuzzyCompare(scale, t.m22()))
        p.drawImage(QRectF(rect()), sharpPicture(scale));
    else
        p.drawImage(0, 0, picture());
}

void M_Degit::resizeEvent(QResizeEvent *) { matchSurfaceToWidget(); }

// Presses stay with the control: on the frameless board a press that reached the
// window behind would start dragging it.
void M_Degit::mousePressEvent(QMouseEvent *e) { e->accept(); }
void M_Degit::mouseReleaseEvent(QMouseEvent *e) { e->accept(); }
void M_Degit::mouseMoveEvent(QMouseEvent *e) { e->accept(); }

void M_Degit::mouseDoubleClickEvent(QMouseEvent *e) {
    e->accept();
    emit DblClick();
}
