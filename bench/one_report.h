#pragma once
// The figures of a benchmark program that runs its benchmarks in several rounds as one report,
// in the formats Google Benchmark's flags ask for: --benchmark_format on the screen, and
// --benchmark_out in --benchmark_out_format, as its own main would give them. Each round given
// the library's own reporters would repeat the context and, with --benchmark_out, write the
// file afresh, keeping only the last round.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace gv::bench {

class OneReport final : public benchmark::BenchmarkReporter {
public:
    // Takes the flags above out of argv (call it before benchmark::Initialize); false, after
    // saying why, when a format is unknown or the file cannot be written.
    bool TakeFlags(int& argc, char** argv) {
        std::string shownFormat = "console";
        std::string keptFormat = "json";
        std::string keptPath;
        int kept = 1;
        for (int i = 1; i < argc; ++i) {
            const std::string_view arg = argv[i];
            if (Value(arg, "--benchmark_format=", shownFormat)) continue;
            if (Value(arg, "--benchmark_out_format=", keptFormat) || Value(arg, "--benchmark_out=", keptPath))
                continue;
            argv[kept++] = argv[i];
        }
        argc = kept;
        argv[argc] = nullptr;
        shown_ = Reporter(shownFormat);
        if (!shown_) return false;
        if (keptPath.empty()) return true;
        kept_ = Reporter(keptFormat);
        if (!kept_) return false;
        file_.open(keptPath, std::ios::binary);
        if (!file_) {
            std::fprintf(stderr, "cannot write the figures to %s\n", keptPath.c_str());
            return false;
        }
        kept_->SetOutputStream(&file_);
        kept_->SetErrorStream(&file_);
        return true;
    }

    // The context once, before the first round's figures.
    bool ReportContext(const Context& context) override {
        if (begun_) return true;
        begun_ = true;
        bool ok = shown_->ReportContext(context);
        if (kept_) ok = kept_->ReportContext(context) && ok;
        return ok;
    }
    void ReportRuns(const std::vector<Run>& runs) override {
        shown_->ReportRuns(runs);
        if (kept_) kept_->ReportRuns(runs);
    }
    // A round's end is not the report's: End closes it, once every round ran.
    void Finalize() override {}
    void End() {
        if (!begun_) return;
        shown_->Finalize();
        if (kept_) kept_->Finalize();
        file_.close();
    }

private:
    static bool Value(std::string_view arg, std::string_view flag, std::string& value) {
        if (!arg.starts_with(flag)) return false;
        value = arg.substr(flag.size());
        return true;
    }
    static std::unique_ptr<benchmark::BenchmarkReporter> Reporter(const std::string& format) {
        if (format == "console") return std::make_unique<benchmark::ConsoleReporter>();
        if (format == "json") return std::make_unique<benchmark::JSONReporter>();
        if (format == "csv") {
            // Deprecated upstream, but still what the library's own flag gives.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
            return std::make_unique<benchmark::CSVReporter>();
#pragma GCC diagnostic pop
        }
        std::fprintf(stderr, "unknown benchmark format \"%s\" (console, json or csv)\n", format.c_str());
        return nullptr;
    }

    std::unique_ptr<benchmark::BenchmarkReporter> shown_;
    std::unique_ptr<benchmark::BenchmarkReporter> kept_;
    std::ofstream file_;
    bool begun_ = false;
};

}  // namespace gv::bench
