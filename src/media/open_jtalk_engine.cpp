#include "media/open_jtalk_engine.h"

#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <pthread.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char **environ;

namespace {

QString firstExisting(std::initializer_list<const char *> paths, bool dir) {
    for (const char *p : paths) {
        const QFileInfo info(QString::fromUtf8(p));
        if (dir ? info.isDir() : info.isFile()) return info.filePath();
    }
    return QString();
}

// Longest a phrase may take to be made before the engine gives up on it.
constexpr int kPhraseTimeoutMs = 30000;
constexpr int kNotStarted = -1;

// Starts the synthesiser as a child that dies with the thread that started it, so a
// program that is killed leaves no synthesiser behind. vfork, not fork: copying the page
// tables of this large process would stall the window thread; the child only sets
// itself up and execs. The child's pid, or -1 when it could not be started.
pid_t startChild(std::vector<char *> &argv) {
    const pid_t parent = getpid();
    sigset_t all, old;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &old);  // no handler of ours may run in the child
    volatile int execError = 0;                 // written by the child, which shares our memory until exec
    const pid_t pid = vfork();
    if (pid == 0) {
        for (int sig = 1; sig < NSIG; ++sig) {
            struct sigaction sa {};
            if (sigaction(sig, nullptr, &sa) == 0 && sa.sa_handler != SIG_IGN && sa.sa_handler != SIG_DFL) {
                sa.sa_handler = SIG_DFL;
                sa.sa_flags = 0;
                sigaction(sig, &sa, nullptr);
            }
        }
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(127);  // the program died before the line above
        pthread_sigmask(SIG_SETMASK, &old, nullptr);
        execve(argv[0], argv.data(), environ);
        execError = errno == 0 ? ENOEXEC : errno;
        _exit(127);
    }
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    if (pid < 0) return -1;
    if (execError != 0) {
        waitpid(pid, nullptr, 0);
        return -1;
    }
    return pid;
}

// Runs the synthesiser to its end, or kills it when `cancelled` turns true or it takes
// too long. The exit status, or kNotStarted, or -2 when killed.
int runSynthesiser(const QString &program, const QStringList &args, const std::atomic_bool &cancelled) {
    std::vector<QByteArray> storage;
    storage.push_back(QFile::encodeName(program));
    for (const QString &a : args) storage.push_back(QFile::encodeName(a));
    std::vector<char *> argv;
    for (QByteArray &b : storage) argv.push_back(b.data());
    argv.push_back(nullptr);
    const pid_t pid = startChild(argv);
    if (pid < 0) return kNotStarted;
    int status = 0;
    for (int waited = 0;; waited += 5) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
        if (done < 0) return -2;
        if (cancelled || waited > kPhraseTimeoutMs) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -2;
        }
        QThread::msleep(5);
    }
}

}  // namespace

// What the worker of one speak shares with the window thread: only the stop request.
struct OpenJTalkEngine::Job {
    std::atomic_bool cancelled{false};
};

std::unique_ptr<OpenJTalkEngine> OpenJTalkEngine::create(AudioDevice &device) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("open_jtalk"));
    const QString dictionary = firstExisting(
        {"/var/lib/mecab/dic/open-jtalk/naist-jdic", "/usr/share/open_jtalk/dic", "/usr/local/share/open_jtalk/dic"}, true);
    const QString voice = firstExisting({"/usr/share/hts-voice/nitech-jp-atr503-m001/nitech_jp_atr503_m001.htsvoice",
                                         "/usr/local/share/hts-voice/nitech_jp_atr503_m001.htsvoice"},
                                        false);
    if (program.isEmpty() || dictionary.isEmpty() || voice.isEmpty()) return nullptr;
    auto engine = std::unique_ptr<OpenJTalkEngine>(new OpenJTalkEngine(device, program, dictionary, voice));
    if (!engine->dir_.isValid()) return nullptr;
    return engine;
}

OpenJTalkEngine::OpenJTalkEngine(AudioDevice &device, QString program, QString dictionary, QString defaultVoice)
    : device_(device), program_(std::move(program)), dictionary_(std::move(dictionary)),
      defaultVoice_(std::move(defaultVoice)), timer_(new QTimer(this)) {
    timer_->setInterval(10);
    connect(timer_, &QTimer::timeout, this, &OpenJTalkEngine::poll);
}

OpenJTalkEngine::~OpenJTalkEngine() {
    cancelJob();
    device_.close(kSpeechSlot);
}

QStringList OpenJTalkEngine::phrases(const QString &text) {
    static const QRegularExpression firstPause(QStringLiteral("[、。，．！？!?]"));
    static const QRegularExpression sentenceEnd(QStringLiteral("(?<=[。．！？!?])"));
    QStringList out;
    const QRegularExpressionMatch m = firstPause.match(text);
    const qsizetype cut = m.hasMatch() ? m.capturedEnd() : text.size();
    out << text.left(cut);
    for (const QString &s : text.mid(cut).split(sentenceEnd))
        if (!s.trimmed().isEmpty()) out << s;
    return out;
}

QStringList OpenJTalkEngine::arguments() const {
    const QString voice = !settings_.voice.isEmpty() && QFileInfo(settings_.voice).isFile() ? settings_.voice : defaultVoice_;
    return {QStringLiteral("-x"), dictionary_, QStringLiteral("-m"), voice, QStringLiteral("-r"),
            QString::number(settings_.speed / 100.0, 'f', 2), QStringLiteral("-fm"), QString::number(settings_.pitch)};
}

void OpenJTalkEngine::speak(const QString &text) {
    stop();
    if (text.trimmed().isEmpty()) return;
    if (!device_.ready()) return speech::recordEvent(QStringLiteral("error"), text, QStringLiteral("no audio device"));
    const int generation = ++generation_;
    text_ = text;
    active_ = synthesising_ = true;
    speech::recordEvent(QStringLiteral("started"), text_);

    auto job = std::make_shared<Job>();
    job_ = job;
    const QStringList pieces = phrases(text);
    const QStringList args = arguments();
    const QString program = program_, folder = dir_.path();
    AudioDevice *device = &device_;
    QPointer<OpenJTalkEngine> self(this);
    worker_ = QThread::create([=] {
        QString error;
        for (int i = 0; i < pieces.size() && !job->cancelled && error.isEmpty(); ++i) {
            const QString wav = folder + QStringLiteral("/speech-%1-%2.wav").arg(generation).arg(i);
            const QString txt = wav.chopped(4) + QStringLiteral(".txt");
            QFile in(txt);
            if (!in.open(QIODevice::WriteOnly) || in.write(pieces.at(i).toUtf8() + '\n') < 0) {
                error = QStringLiteral("cannot write %1").arg(txt);
                break;
            }
            in.close();
            const int status = runSynthesiser(program, args + QStringList{QStringLiteral("-ow"), wav, txt}, job->cancelled);
            QFile::remove(txt);
            if (job->cancelled) break;
            DecodedSound sound;
            if (status != 0)
                error = status == kNotStarted ? QStringLiteral("open_jtalk could not be started")
                                              : QStringLiteral("open_jtalk failed (status %1)").arg(status);
            else if (!(sound = device->decode(wav, nullptr)))
                error = QStringLiteral("synthesised speech could not be read");
            QFile::remove(wav);
            if (sound)
                QMetaObject::invokeMethod(self, [self, generation, sound] { if (self) self->onPhrase(generation, sound); },
                                          Qt::QueuedConnection);
        }
        QMetaObject::invokeMethod(self, [self, generation, error] { if (self) self->onSynthesisEnd(generation, error); },
                                  Qt::QueuedConnection);
    });
    connect(worker_, &QThread::finished, worker_, &QObject::deleteLater);
    worker_->start();
    timer_->start();
}

void OpenJTalkEngine::cancelJob() {
    if (job_) job_->cancelled = true;  // the worker kills its open_jtalk and ends by itself
    job_.reset();
    if (worker_) worker_->wait(2000);
    worker_ = nullptr;
}

void OpenJTalkEngine::stop() {
    ++generation_;
    if (job_) job_->cancelled = true;
    job_.reset();
    worker_ = nullptr;  // it ends by itself and deletes itself
    device_.close(kSpeechSlot);
    timer_->stop();
    toPlay_.clear();
    synthesising_ = false;
    if (active_) speech::recordEvent(QStringLiteral("stopped"), text_);
    active_ = false;
}

bool OpenJTalkEngine::idle() const { return !active_; }

void OpenJTalkEngine::setSettings(const SpeechSettings &settings) {
    settings_ = settings.clamped();
    device_.setVolume(kSpeechSlot, settings_.volume / 100.0);
}

void OpenJTalkEngine::onPhrase(int generation, DecodedSound sound) {
    if (generation != generation_) return;
    toPlay_.push_back(std::move(sound));
    poll();
}

void OpenJTalkEngine::onSynthesisEnd(int generation, const QString &error) {
    if (generation != generation_) return;
    synthesising_ = false;
    job_.reset();
    worker_ = nullptr;
    if (!error.isEmpty()) return fail(error);
    poll();
}

void OpenJTalkEngine::poll() {
    if (!active_ || device_.playing(kSpeechSlot)) return;
    if (!toPlay_.empty()) {
        device_.install(kSpeechSlot, std::move(toPlay_.front()));
        toPlay_.pop_front();
        device_.setVolume(kSpeechSlot, settings_.volume / 100.0);
        device_.play(kSpeechSlot);
        return;
    }
    if (synthesising_) return;  // the next phrase is still being made
    active_ = false;
    timer_->stop();
    device_.close(kSpeechSlot);
    speech::recordEvent(QStringLiteral("finished"), text_);
}

void OpenJTalkEngine::fail(const QString &detail) {
    const QString text = text_;
    stop();
    speech::recordEvent(QStringLiteral("error"), text, detail);
}
