// Types 2,000 digits, key by key, into the buy quantity Text2 of the real main window and into a
// plain QLineEdit of the same size and font, and prints how many times longer the field takes.
// The field fits its text to its width after every change; that must cost a fixed number of
// measurements, so the ratio stays small however long the text grows (under 2 is the budget).
// Run on the offscreen platform: QT_QPA_PLATFORM=offscreen ./build/bench/typing/zm_typing_bench

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/qt_window_model.h"
#include "session/session.h"
#include "settings/profile_file.h"
#include "ui/widgets.h"

namespace {

constexpr int kKeystrokes = 2000;
constexpr char kFieldRun[] = "type_into_Text2_of_the_main_window";
constexpr char kPlainRun[] = "type_into_a_plain_QLineEdit";

QLineEdit* g_field = nullptr;
QLineEdit* g_plain = nullptr;

void typeInto(benchmark::State& state, QLineEdit* edit) {
    const QString digits(kKeystrokes, QLatin1Char('8'));
    for (auto _ : state) {
        state.PauseTiming();
        edit->clear();
        state.ResumeTiming();
        QTest::keyClicks(edit, digits);
    }
    if (edit->text().size() != kKeystrokes) {
        state.SkipWithError("the field did not take every key");
    }
}

void typeIntoField(benchmark::State& state) {
    typeInto(state, g_field);
}
void typeIntoPlain(benchmark::State& state) {
    typeInto(state, g_plain);
}

// Prints the runs as usual and keeps each one's time per iteration for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    double time(const std::string& name) const {
        const auto it = m_times.find(name);
        return it == m_times.end() ? 0 : it->second;
    }

private:
    std::map<std::string, double> m_times;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    zm::ui::installFontSubstitutions();
    QTemporaryDir settingsDir;
    zm::ui::QtWindowModel windows;
    zm::Session session(windows, zm::settings::settingsFilePath(settingsDir.path().toStdString()));
    windows.setSession(session);
    windows.load(zm::FormId::Form1);
    windows.mainWindow()->WZ();
    session.formLoad();
    windows.show(zm::FormId::Form1);
    g_field = qobject_cast<QLineEdit*>(windows.control(zm::form1::Text2));
    if (g_field == nullptr) {
        std::fprintf(stderr, "no field Text2\n");
        return 1;
    }

    QWidget plainWindow;
    QLineEdit plain(&plainWindow);
    plain.setFont(g_field->font());
    plain.setAlignment(g_field->alignment());
    plain.setGeometry(g_field->geometry());
    plainWindow.show();
    g_plain = &plain;

    benchmark::RegisterBenchmark(kFieldRun, typeIntoField)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(kPlainRun, typeIntoPlain)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (reporter.time(kPlainRun) > 0) {
        std::printf("Text2 / plain QLineEdit, %d keystrokes: %.2f\n", kKeystrokes,
                    reporter.time(kFieldRun) / reporter.time(kPlainRun));
    }
    windows.destroyAll();
    return 0;
}
