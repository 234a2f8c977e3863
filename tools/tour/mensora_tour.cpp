// mensora-tour: a short guided tour through the real Mensora window, for scripts/demo. It
// starts the program on a virtual gauge the demo has mapped to COM1 and uses the window only
// through its controls, as a person at the bench would: Connect, the tolerances, Manual, the
// gauge's data key, Auto, autosave and Save; then English, a second start, and again. It
// leaves the record files and a screenshot of each language in the output folder and checks
// that what the files hold is what the window shows.

#include <signal.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTableView>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

#include "base/control_ids.h"
#include "base/texts.h"
#include "tools/tour/tour_modal_hand.h"
#include "tools/tour/tour_record_file.h"
#include "tools/tour/tour_window.h"

namespace mensora::tour {
namespace {

using namespace std::chrono_literals;

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// How long a person would wait before calling something broken.
constexpr auto kLinkPatience = 15s;
constexpr auto kReadingPatience = 3s;
constexpr auto kKeyPatience = 1500ms;  // for the row of one press of the data key
constexpr int kKeyPresses = 3;         // presses of the data key for one record at most
constexpr auto kAutoRecording = 2s;

void say(const QString& line) {
    const QByteArray text = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
    std::fflush(stdout);
}

QString seconds(qint64 milliseconds) {
    return QString::number(static_cast<double>(milliseconds) / 1000.0, 'f', 1) + " s";
}

// A control's caption, with its English name beside a Chinese one.
QString named(const TourWindow& window, int id, const char* english) {
    const QString caption = window.text(id);
    const QString inEnglish = QString::fromUtf8(english);
    return caption == inEnglish ? caption : caption + " (" + inEnglish + ")";
}

QString verdictGloss(const QString& verdict) {
    if (verdict == QString::fromUtf8(texts::kVerdictOk.chinese)) return verdict + " (OK)";
    if (verdict == QString::fromUtf8(texts::kVerdictNg.chinese)) return verdict + " (NG)";
    return verdict;
}

bool isOk(const QString& verdict) {
    return verdict == QString::fromUtf8(texts::kVerdictOk.chinese) ||
           verdict == QString::fromUtf8(texts::kVerdictOk.english);
}

constexpr const char* kUsage =
    "Usage: mensora-tour --out DIR --gauge-pid PID\n"
    "\n"
    "A guided tour through the real Mensora window, as scripts/demo runs it: the virtual gauge\n"
    "(mensora-gauge, process PID) must already be mapped to COM1 in the settings, and the\n"
    "settings must be those of a first start. Leaves records_chinese.xls, window_chinese.png,\n"
    "records_english.xls and window_english.png in DIR. Exit status 0 when every step did\n"
    "what it should, 1 when one did not, 2 for a wrong command line.\n";

struct Options {
    QDir out;
    pid_t gaugePid = 0;
};

// Nothing (and a word on why) when the command line is wrong.
std::optional<Options> readCommandLine(int argc, char** argv) {
    QString out;
    QString pid;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if ((argument == "--out" || argument == "--gauge-pid") && i + 1 < argc) {
            (argument == "--out" ? out : pid) = QString::fromLocal8Bit(argv[++i]);
        } else {
            std::fprintf(stderr, "mensora-tour: unexpected \"%s\" (see --help)\n", argv[i]);
            return std::nullopt;
        }
    }
    bool isNumber = false;
    const int gaugePid = pid.toInt(&isNumber);
    if (out.isEmpty() || !isNumber || gaugePid <= 0) {
        std::fputs("mensora-tour: --out DIR and --gauge-pid PID are needed (see --help)\n", stderr);
        return std::nullopt;
    }
    if (!QDir(out).exists() || ::kill(gaugePid, 0) != 0) {
        std::fputs("mensora-tour: the output folder or the gauge does not exist\n", stderr);
        return std::nullopt;
    }
    return Options{QDir(out), static_cast<pid_t>(gaugePid)};
}

class Tour {
public:
    explicit Tour(const Options& options) : options_(options) { clock_.start(); }

    void run() {
        {
            TourWindow window;
            if (window.text(ConnectButton) != QString::fromUtf8(texts::kConnectCaption.chinese)) {
                throw TourFailure(
                    "the window did not start in Chinese: the tour needs a first start "
                    "(fresh settings)");
            }
            step("first start: Chinese interface, as no language is stored yet");
            connect(window);
            setTolerances(window);
            recordByManual(window, 3);
            recordByDataKey(window, 3);
            recordAutomatically(window);
            switchAutosaveOn(window);
            saveAndReport(window, "records_chinese.xls", "window_chinese.png");
            switchToEnglish(window);
        }
        TourWindow window;
        if (window.text(ConnectButton) != QString::fromUtf8(texts::kConnectCaption.english)) {
            throw TourFailure("the second start is not in English");
        }
        step("second start: English interface; the tolerances kept: nominal " +
             window.text(NominalField) + ", upper " + window.text(UpperToleranceField) +
             ", lower " + window.text(LowerToleranceField));
        connect(window);
        recordByManual(window, 3);
        saveAndReport(window, "records_english.xls", "window_english.png");
        closeWindow(window);
        say("files:");
        for (const QString& file : written_) say("  " + file);
    }

private:
    void step(const QString& what) {
        if (::kill(options_.gaugePid, 0) != 0) {
            throw TourFailure("the virtual gauge (pid " + std::to_string(options_.gaugePid) +
                              ") has stopped");
        }
        say(seconds(clock_.elapsed()).rightJustified(7) + "  " + what);
    }

    // The boxes the step brought up must be exactly the expected ones.
    void expectBoxes(const std::vector<QString>& expected) {
        const std::vector<MetBox> met = hand_.takeMet();
        std::vector<QString> texts;
        for (const MetBox& box : met) texts.push_back(box.text);
        if (texts != expected) {
            QString seen;
            for (const QString& text : texts) seen += " \"" + text + "\"";
            throw TourFailure("unexpected message boxes:" +
                              (seen.isEmpty() ? QString(" none") : seen).toStdString());
        }
    }

    Language language(const TourWindow& window) const {
        return window.program().dialog().state().language();
    }

    void connect(TourWindow& window) {
        const QString label = named(window, ConnectButton, texts::kConnectCaption.english);
        const QString before = window.text(ConnectButton);
        QElapsedTimer linking;
        linking.start();
        window.click(ConnectButton);
        // A box here is the program saying it found no gauge: no need to wait any longer.
        const bool linked = runEventsUntil(
            [&] {
                return hand_.hasMet() || (window.text(ConnectButton) != before &&
                                          !window.text(StatusField).isEmpty());
            },
            kLinkPatience);
        const std::vector<MetBox> met = hand_.takeMet();
        if (!met.empty()) {
            throw TourFailure("Connect found no gauge: the window says \"" +
                              met.front().text.toStdString() + "\"");
        }
        if (!linked) {
            throw TourFailure("no link to the gauge within " +
                              std::to_string(kLinkPatience.count()) + " s");
        }
        const auto& state = window.program().dialog().state();
        const QString linkedIn = seconds(linking.elapsed());
        if (!runEventsUntil([&] { return !window.text(LiveValue).isEmpty(); }, kReadingPatience)) {
            throw TourFailure("linked, but no reading reached the window");
        }
        step(label + " … linked on COM" + QString::number(state.portIndex) + " (" +
             window.text(StatusField) + ") in " + linkedIn + "; live reading " +
             window.text(LiveValue) + " " + window.text(UnitLabel) + "; the button now reads " +
             window.text(ConnectButton));
    }

    void setTolerances(TourWindow& window) {
        const QString open = named(window, ParametersButton, texts::kParametersCaption.english);
        window.click(ParametersButton);
        const QString confirm = named(window, ParametersButton, texts::kConfirmCaption.english);
        window.type(NominalField, QStringLiteral("12.345"));
        window.type(UpperToleranceField, QStringLiteral("0.02"));
        window.type(LowerToleranceField, QStringLiteral("-0.02"));
        window.click(ParametersButton);
        expectBoxes({});
        if (window.text(ParametersButton) !=
                QString::fromUtf8(pick(texts::kParametersCaption, language(window))) ||
            window.control(NominalField).isEnabled()) {
            throw TourFailure("the parameters panel did not close");
        }
        step(open + ": typed nominal " + window.text(NominalField) + ", upper tolerance " +
             window.text(UpperToleranceField) + ", lower tolerance " +
             window.text(LowerToleranceField) + ", " + confirm +
             ": OK strictly between 12.325 and 12.365");
    }

    // The list's cell of the last record.
    static QString lastCell(const TourWindow& window, int column) {
        const QAbstractItemModel& list = listOf(window);
        return list.data(list.index(list.rowCount() - 1, column)).toString().trimmed();
    }

    static const QAbstractItemModel& listOf(const TourWindow& window) {
        auto* view = qobject_cast<QTableView*>(&window.control(RecordList));
        if (view == nullptr || view->model() == nullptr) throw TourFailure("no record list");
        return *view->model();
    }

    static QString lastRecorded(const TourWindow& window) {
        return lastCell(window, 1) + " " + verdictGloss(lastCell(window, 3));
    }

    // A person records each part once: wait until the gauge shows another reading.
    void waitForAnotherReading(TourWindow& window) {
        const QString last = window.records() == 0 ? QString() : lastCell(window, 1);
        if (!runEventsUntil(
                [&] {
                    const QString live = window.text(LiveValue);
                    return !live.isEmpty() && live != last;
                },
                kReadingPatience)) {
            throw TourFailure("the gauge's reading did not change within " +
                              std::to_string(kReadingPatience.count()) + " s");
        }
    }

    void recordByManual(TourWindow& window, int times) {
        const QString label = named(window, ManualButton, "Manual");
        QStringList recorded;
        for (int i = 0; i < times; ++i) {
            waitForAnotherReading(window);
            const std::uint32_t before = window.records();
            window.click(ManualButton);
            if (window.records() != before + 1) throw TourFailure("Manual recorded nothing");
            recorded << lastRecorded(window);
        }
        expectBoxes({});
        step(label + " ×" + QString::number(times) + ": " + recorded.join(", "));
    }

    void recordByDataKey(TourWindow& window, int times) {
        QStringList recorded;
        QStringList repeated;
        for (int i = 0; i < times; ++i) {
            waitForAnotherReading(window);
            const std::uint32_t before = window.records();
            int presses = 0;
            while (window.records() == before && presses < kKeyPresses) {
                ++presses;
                if (::kill(options_.gaugePid, SIGUSR1) != 0) {
                    throw TourFailure("the gauge (pid " + std::to_string(options_.gaugePid) +
                                      ") is gone");
                }
                runEventsUntil([&] { return window.records() != before; }, kKeyPatience);
            }
            if (window.records() != before + 1) {
                throw TourFailure("the gauge's data key recorded nothing after " +
                                  std::to_string(presses) + " presses");
            }
            if (presses > 1) repeated << QString::number(i + 1);
            recorded << lastRecorded(window);
        }
        expectBoxes({});
        step("the gauge's data key ×" + QString::number(times) + " (SIGUSR1 to the gauge, pid " +
             QString::number(options_.gaugePid) + "): " + recorded.join(", "));
        if (!repeated.isEmpty()) {
            say("         press " + repeated.join(", ") +
                " needed a second press: the key frame came second in one read and was "
                "lost, as with a real gauge; the person presses again");
        }
    }

    void recordAutomatically(TourWindow& window) {
        const QString start = named(window, AutoButton, texts::kAutoStartCaption.english);
        const std::uint32_t before = window.records();
        window.click(AutoButton);
        const QString stop = named(window, AutoButton, texts::kAutoStopCaption.english);
        watch(kAutoRecording);
        window.click(AutoButton);
        expectBoxes({});
        const std::uint32_t added = window.records() - before;
        if (added == 0) throw TourFailure("automatic recording recorded nothing");
        step(start + " for " + seconds(std::chrono::milliseconds(kAutoRecording).count()) + ", " +
             stop + ": " + QString::number(added) + " records, one every " +
             window.text(SampleIntervalField) + " ms");
    }

    void switchAutosaveOn(TourWindow& window) {
        window.click(AutosaveCheck);
        if (!window.isChecked(AutosaveCheck)) throw TourFailure("the autosave box stayed clear");
        step(named(window, AutosaveCheck, "60 sec Save") +
             " checked: the day's autosave file is written every 60 s while records change "
             "(the tour ends before the first)");
    }

    void saveAndReport(TourWindow& window, const QString& fileName, const QString& pictureName) {
        const QString path = options_.out.absoluteFilePath(fileName);
        hand_.saveAs(path);
        const QString label = named(window, SaveButton, "Save");
        window.click(SaveButton);
        const QString succeeded =
            QString::fromUtf8(pick(texts::kExportSucceeded, language(window)));
        expectBoxes({succeeded});
        step(label + " → " + path + ": \"" + succeeded + "\" answered OK");
        written_ << path;

        const RecordFile file = readRecordFile(path);
        GbkText gbk;
        checkAgainstProgram(file, window.program().store(), listOf(window), gbk);
        printRecords(file, gbk);
        reportStatistics(window, file, gbk);

        const QString picture = options_.out.absoluteFilePath(pictureName);
        window.saveScreenshot(picture);
        step("screenshot → " + picture);
        written_ << picture;
    }

    void printRecords(const RecordFile& file, GbkText& gbk) {
        say("         records read back from the file (header \"" +
            gbk(file.header).replace(QLatin1Char('\t'), QLatin1Char(' ')).trimmed() + "\"):");
        say("           No      Value  Deviation   Verdict");
        for (const RecordLine& line : file.lines) {
            say("           " + QString::fromStdString(line.seq) + "  " +
                QString::fromStdString(line.value) + QString::fromStdString(line.error) + "   " +
                verdictGloss(gbk(line.result).trimmed()));
        }
        say("         every line is byte for byte the program's record and the list's row");
    }

    // The statistics as the window shows them, its counts checked against the file's verdicts.
    void reportStatistics(TourWindow& window, const RecordFile& file, GbkText& gbk) {
        // They reach the window with the next reading the gauge sends.
        const QString count = QString::number(file.lines.size());
        if (!runEventsUntil([&] { return window.text(CountField) == count; }, kReadingPatience)) {
            throw TourFailure("the window counts " + window.text(CountField).toStdString() +
                              " records, the file holds " + count.toStdString());
        }
        std::size_t ok = 0;
        for (const RecordLine& line : file.lines) ok += isOk(gbk(line.result).trimmed()) ? 1 : 0;
        if (ok == 0 || ok == file.lines.size()) {
            throw TourFailure("the records do not mix OK and NG: check the gauge's readings");
        }
        const std::size_t ngShown =
            window.text(OverUpperField).toULongLong() + window.text(UnderLowerField).toULongLong();
        const bool countsAgree =
            window.text(OkCountField) == QString::number(ok) && ngShown == file.lines.size() - ok;
        if (!countsAgree) throw TourFailure("the window's OK and NG counts differ from the file");
        say("         statistics on the window: Num " + window.text(CountField) + ", OK " +
            window.text(OkCountField) + ", NG+ " + window.text(OverUpperField) + ", NG- " +
            window.text(UnderLowerField) + ", AVG " + window.text(AverageField) + ", MAX " +
            window.text(MaximumField) + ", MIN " + window.text(MinimumField));
    }

    void switchToEnglish(TourWindow& window) {
        window.click(EnglishRadio);
        expectBoxes({QString::fromUtf8(texts::kLanguageChanged.english)});
        step("English: \"" + QString::fromUtf8(texts::kLanguageChanged.english) + "\" answered OK");
        closeWindow(window);
    }

    void closeWindow(TourWindow& window) {
        if (!window.close()) throw TourFailure("the window did not close");
        expectBoxes({});
        step("window closed (every record saved, so it closes without asking)");
    }

    Options options_;
    ModalHand hand_;
    QElapsedTimer clock_;
    QStringList written_;
};

}  // namespace
}  // namespace mensora::tour

int main(int argc, char** argv) {
    using namespace mensora::tour;
    // Read before the window system is reached, so that --help works anywhere.
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--help" || std::string_view(argv[i]) == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    const std::optional<Options> options = readCommandLine(argc, argv);
    if (!options) return kExitUsage;
    QApplication application(argc, argv);
    try {
        Tour(*options).run();
    } catch (const TourFailure& failure) {
        std::fprintf(stderr, "mensora-tour: %s\n", failure.what());
        return kExitFailed;
    }
    return 0;
}
