#include "app/application.h"

#include "panel/board_layout.h"
#include "app/exit_signals.h"
#include "panel/frm_ctl.h"
#include "app/settings_file.h"
#include "panel/msg_box.h"
#include "base/program.h"
#include "app/view_setup.h"
#include "base/dump_sections.h"
#include "board/form1.h"
#include "core/settings.h"
#include "core/trip_session.h"
#include "widgets/chimei_ctl.h"
#include "widgets/m_degit.h"
#include "board/rounded_region.h"
#include "options/frm_option.h"
#include "media/sound_channels.h"
#include "media/announcer.h"
#include "media/module_audio_device.h"
#include "media/open_jtalk_engine.h"

#include <QGuiApplication>
#include <QJsonValue>
#include <QScreen>
#include <QTimer>

Application::Application()
    : sound_(std::make_unique<SoundChannels>(std::make_unique<ModuleAudioDevice>())),
      settings_(std::make_unique<Settings>()),
      session_(std::make_unique<TripSession>()),
      board_(std::make_unique<Form1>()),
      options_(std::make_unique<FrmOption>(*settings_)),
      announcer_(std::make_unique<Announcer>(*sound_, [this] {
          return std::unique_ptr<SpeechEngine>(OpenJTalkEngine::create(sound_->device()));
      })),
      panel_(std::make_unique<FrmCtl>(*board_, *session_, *settings_, *options_, *sound_, *announcer_)) {
    connectWindows();
}

Application::~Application() {
    releaseMedia();
    panel_.reset();
    announcer_.reset();
    options_.reset();
    board_.reset();
    session_.reset();
    settings_.reset();
    sound_.reset();
}

void Application::connectWindows() {
    Form1 *board = board_.get();
    FrmOption *options = options_.get();
    FrmCtl *panel = panel_.get();
    connect(board, &Form1::closeRequested, panel, [panel] { QTimer::singleShot(0, panel, &QWidget::close); });
    connect(board, &Form1::digitDialogOpen, panel, [panel](bool open) { panel->setEnabled(!open); });
    connect(panel, &FrmCtl::exitConfirmed, this, [this] { endConfirmed(); });
    // The options' plug-in box sizes the panel's preview and fills its company list.
    options->setTicketPanel(panel);
    connect(options, &FrmOption::errorBoxRequested, options, [options](const QString &text, const QString &title) {
        msgbox::show(options, text, QMessageBox::Ok, msgbox::Icon::Critical, title);
    });
    const Settings *settings = settings_.get();
    const TripSession *session = session_.get();
    connect(options, &FrmOption::applyRequested, options,
            [board, settings, session] { board_layout::applyOptions(*board, *settings, session->backlight()); });
    connect(settings, &Settings::loaded, this, [this] { applyLoadedSettings(); });
    connect(options, &FrmOption::panelSettingsLoaded, panel, &FrmCtl::applyBacklight);
    dump::registerSection(QStringLiteral("frmOption"), [options] { return QJsonValue(options->dumpState()); });
    Announcer *announcer = announcer_.get();
    dump::registerSection(QStringLiteral("tape"), [announcer] { return QJsonValue(announcer->dumpState()); });
    const SoundChannels *sound = sound_.get();
    dump::registerSection(QStringLiteral("sound"), [sound] { return QJsonValue(sound->toJson()); });
}

void Application::loadAndShow() {
    Form1 *board = board_.get();
    FrmCtl *panel = panel_.get();
    board_layout::placeDisplays(*board);
    board_layout::setDefaultPanel(*board, *settings_, *options_);
    options_->hide();
    panel->load();
    panel->show();
    panel->raise();
    board->move(0, 0);
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const QSize outer = panel->frameGeometry().size();
        panel->move(area.x() + area.width() - outer.width(), area.y() + area.height() - outer.height());
    }
    board->setMask(roundedRegion(board->rect()));
    board->update();
    settings_file::load(*settings_);
    board->show();
    loaded_ = true;
    if (endWanted_) QTimer::singleShot(0, this, [this] { endConfirmed(); });
}

void Application::installView(const StartupOptions &opt, QString *warning) {
    boardView_ = ::installView(*board_, *panel_, opt, warning);
}

void Application::endOnSignals() {
    if (exitSignals_) return;
    exitSignals_ = new ExitSignals(this);
    connect(exitSignals_, &ExitSignals::received, this, [this] {
        if (loaded_) endConfirmed();
        else endWanted_ = true;
    });
}

void Application::endConfirmed() {
    // A second request while the first is saving (a save error's box) changes nothing.
    if (ending_) return;
    ending_ = true;
    panel_->prepareExit();
    sound_->closeAll();
    announcer_->release();
    saveSettings();
    emit aboutToEnd();
    program::endNow(0);
}

void Application::applyLoadedSettings() {
    const Settings &settings = *settings_;
    Form1 *board = board_.get();
    const DegitInfo &colours = settings.degit();
    for (int i = 1; i <= 32; ++i) {
        M_Degit *d = board->fareDisplay(i);
        const DegitSetRecord &r = settings.degitSet()[i - 1];
        d->setZeroMode(r.ZeroMode);
        d->setShift(r.Shift);
        d->setFillZero(r.FillZero);
        d->setBackColor(colours.DegitBackColor);
        d->setBaseForeColor(colours.DegitBaseColor);
        d->setDegitForeColor(colours.DegitLitColor);
        d->setValue(QStringLiteral(" "));
    }
    for (int i = 0; i < 2; ++i) {
        M_Degit *clock = board->clockDisplay(i);
        clock->setBackColor(colours.DegitBackColor);
        clock->setBaseForeColor(colours.DegitBaseColor);
        clock->setDegitForeColor(colours.DegitLitColor);
    }
    board->stopStrip()->setBackColor(settings.chimei().ChimeiBackColor);
    board->stopStrip()->setForeColor(settings.chimei().ChimeiForeColor);

    options_->takeLoadedSettings();
    panel_->restoreCtrlInfo(settings.ctrl());
    board->restorePlace(settings.form().BoardLeft, settings.form().BoardTop);
    options_->applyToWindows();
}

void Application::saveSettings() {
    options_->storeControls();
    std::array<DegitSetRecord, 32> digits = settings_->degitSet();
    for (int i = 1; i <= 32; ++i) {
        const M_Degit *d = board_->fareDisplay(i);
        DegitSetRecord &r = digits[i - 1];
        r.ZeroMode = static_cast<std::int16_t>(d->ZeroMode());
        r.Shift = static_cast<std::int16_t>(d->Shift());
        r.FillZero = static_cast<std::int16_t>(d->FillZero());
    }
    settings_->setDegitSet(digits);
    CtrlInfo ctrl = settings_->ctrl();
    panel_->storeCtrlInfo(ctrl);
    settings_->setCtrl(ctrl);
    FormInfo form = settings_->form();
    board_->storePlace(form.BoardLeft, form.BoardTop);
    settings_->setForm(form);
    settings_file::save(*settings_);
}

void Application::releaseMedia() {
    announcer_->release();
    sound_->closeAll();
}
