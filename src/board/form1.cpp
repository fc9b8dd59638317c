#include "board/form1.h"

#include "board/board_face.h"
#include "board/board_geometry.h"
#include "board/screen_fit.h"
#include "core/seiriken_numbering.h"
#include "companion/companion.h"
#include "widgets/chimei_ctl.h"
#include "widgets/m_degit.h"

#include <QImageReader>
#include <QLabel>
#include <QCloseEvent>
#include <QTime>
#include <QTimer>

namespace {

QString indexed(const char *name, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index); }

}  // namespace

// The pictures are compiled into the static library; without a reference to them
// the linker drops them and the board would fall back to a black face.
static void registerBuiltInPictures() { Q_INIT_RESOURCE(assets); }

Form1::Form1(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form1"));
    setFixedSize(board::kWidth, board::kHeight);
    // The face or the view scaling it covers the whole window.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    face_ = new BoardFace(this);
    face_->setFixedSize(board::kWidth, board::kHeight);
    connect(face_, &BoardFace::menuRequested, this, &Form1::viewMenuRequested);

    QFont labelFont(QStringLiteral("ＭＳ Ｐゴシック"));
    labelFont.setPointSizeF(11.25);
    labelFont.setBold(true);
    for (int i = 0; i <= 32; ++i) {
        auto *label = new QLabel(face_);
        label->setObjectName(indexed("lblSeiriNum", i));
        label->setGeometry(board::labelRect(i));
        label->setAlignment(Qt::AlignCenter);
        label->setFont(labelFont);
        // The design-time captions: label (8r + c) reads 10r + c; the numbering replaces them.
        label->setText(seiriken::numberCaption(i == 0 ? 1 : 10 * ((i - 1) / 8) + (i - 1) % 8 + 1, false));
        // A palette, not a style sheet: 33 style-sheeted labels cost the start-up dearly.
        QPalette white = label->palette();
        white.setColor(QPalette::WindowText, Qt::white);
        label->setPalette(white);
        label->setProperty("ForeColor", static_cast<uint>(RGB(255, 255, 255)));
        label->setVisible(i != 0);
        labels_[i] = label;

        auto *degit = new M_Degit(face_);
        degit->setObjectName(indexed("Degit", i));
        degit->setGeometry(board::degitRect(i));
        degit->setVisible(i != 0);
        connect(degit, &M_Degit::DblClick, this, [this, i] { openDigitSettings(i); });
        connect(degit, &M_Degit::settingsDialogWanted, this, [degit](DigitSettingsRequest &r) {
            r.result = Call_dlg100(degit, r.keta, r.zeroMode, r.shift, r.fillZero);
        });
        degits_[i] = degit;
    }
    for (int i = 0; i < 2; ++i) {
        auto *clock = new M_Degit(face_);
        clock->setObjectName(indexed("TimeDegit", i));
        clock->setGeometry(board::timeDegitRect(i));
        clock->setKeta(2);
        clock->hide();
        timeDegits_[i] = clock;
    }

    chimei_ = new ChimeiCtl_B(face_);
    chimei_->setObjectName(QStringLiteral("ChimeiCtl"));
    chimei_->setGeometry(board::chimeiRect());
    // The board's strip comes with stored settings: Appearance 0 gives the flat look
    // without the viewport resize that setting it anew would make.
    chimei_->ReadProperties({{QStringLiteral("ForeColor"), 0x80C0FFu}, {QStringLiteral("Appearance"), 0}});

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(1000);
    connect(timer1_, &QTimer::timeout, this, &Form1::clockTicked);
    timer1_->start();

    registerBuiltInPictures();
    const char *builtIn[3] = {":/panel/panel.png", ":/panel/panel_on1.png", ":/panel/panel_on2.png"};
    QList<qint64> builtInKeys;  // the pictures compiled in, which carry no words
    for (int i = 0; i < 3; ++i) {
        // Read as the PNGs they are: guessing the format would load every image plug-in.
        QImageReader reader(QLatin1String(builtIn[i]), "png");
        reader.setAutoDetectImageFormat(false);
        QImage picture = reader.read();
        if (picture.isNull()) {
            picture = QImage(board::kWidth, board::kHeight, QImage::Format_RGB32);
            picture.fill(Qt::black);
        }
        imgRes_[i] = picture;
        builtInKeys.append(picture.cacheKey());
    }
    face_->setWordlessPictures(builtInKeys);
}

M_Degit *Form1::fareDisplay(int index) const { return index >= 0 && index <= 32 ? degits_[index] : nullptr; }
QLabel *Form1::ticketLabel(int index) const { return index >= 0 && index <= 32 ? labels_[index] : nullptr; }
M_Degit *Form1::clockDisplay(int index) const { return index >= 0 && index < 2 ? timeDegits_[index] : nullptr; }

QImage Form1::builtInPicture(int index) const { return index >= 0 && index < 3 ? imgRes_[index] : QImage(); }

void Form1::setBuiltInPicture(int index, const QImage &picture) {
    if (index >= 0 && index < 3) imgRes_[index] = picture;
}

QImage Form1::picture() const { return face_->picture(); }
void Form1::setPicture(const QImage &picture) { face_->setPicture(picture); }

QWidget *Form1::face() const { return face_; }

void Form1::storePlace(std::int32_t &boardLeft, std::int32_t &boardTop) const {
    // In full screen the board's place is where it returns to.
    const QPoint at = isFullScreen() ? normalGeometry().topLeft() : pos();
    boardLeft = at.x() * 15;
    boardTop = at.y() * 15;
}

void Form1::restorePlace(std::int32_t boardLeft, std::int32_t boardTop) {
    const QPoint saved(qRound(boardLeft / 15.0), qRound(boardTop / 15.0));
    if (onSomeScreen(this, saved)) move(saved);  // else it stays where start-up put it
}

// The region belongs to the window once given; it goes with the window.
void Form1::releaseShape() {}

void Form1::showClock(const QString &hhmmss) {
    timeDegits_[0]->setValue(hhmmss.mid(0, 2).toInt());
    timeDegits_[1]->setValue(hhmmss.mid(3, 2).toInt());
}

void Form1::clockTicked() { showClock(QTime::currentTime().toString(QStringLiteral("hh:mm:ss"))); }

void Form1::openDigitSettings(int index) {
    M_Degit *clicked = degits_[index];
    if (!clicked->UserSet()) return;
    emit digitDialogOpen(true);
    if (clicked->ShowSetDlg() == 1) {
        const int zeroMode = clicked->ZeroMode();
        const int shift = clicked->Shift();
        const int fillZero = clicked->FillZero();
        for (int i = 1; i <= 32; ++i) {
            M_Degit *d = degits_[i];
            const QVariant value = d->Value();
            d->setShift(shift);
            d->setFillZero(fillZero);
            d->setZeroMode(zeroMode);
            d->setValue(value);
        }
    }
    emit digitDialogOpen(false);
}

void Form1::closeEvent(QCloseEvent *event) {
    event->ignore();
    emit closeRequested();
}

