// The batch tools as the user sees them, against standard tools on the same
// data, in one run:
//   collect       the delete-by-mask search for "*.c;*.h" sparing ".git"
//                 and "build" over 55,000 files / find with -prune and -iname
//   delete        the delete-by-mask dialog, from a click on its button until
//                 the question that names the files is asked / the same find
//   copy small    the copy-by-list dialog, from a click on its button until
//                 "作成が終了しました" is painted, one 1 KiB file to the 500
//                 names of a list / tee writing the same 500 files
//   copy large    the same with one 64 MiB file and 8 names / tee
// The files found are compared with find's, the question's count with
// theirs, the copies with the source (count and content); a wrong result
// fails the benchmark whatever the times. The question is answered No, so
// the tree stays for the next round.
#include "bench/benchcommon.h"
#include "bench/offscreenmain.h"
#include "bench/paintwait.h"
#include "platform/codepage.h"
#include "tests/common/scriptedprompts.h"
#include "tools/maskedfiles.h"
#include "tools/tfrmcopyfiles.h"
#include "tools/tfrmdeletefilesfrommask.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using bench::Interleave;
using bench::Milliseconds;
using bench::Report;
using Clock = std::chrono::steady_clock;

struct Sizes {
    int topFolders;
    int subFolders;
    int filesPerFolder;
    int sparedFiles; // in each of .git and the build folder
    int smallCopies;
    size_t smallSize;
    int largeCopies;
    size_t largeSize;
};
// 20 x 25 x 100 = 50,000 files, plus the spared ones.
constexpr Sizes kFullSizes{20, 25, 100, 2500, 500, 1024, 8, size_t{64} << 20};
constexpr Sizes kSmokeSizes{2, 3, 40, 20, 20, 1024, 2, size_t{64} << 10};
constexpr const char* kExtensions[] = {"c", "h", "o", "txt", "cpp", "C", "H"};
constexpr const char* kMasks = "*.c;*.h";
constexpr const char* kSparedFolders = ".git;build";
constexpr int kLargeRounds = 5; // each writes twice 512 MiB

// The tree the search runs over, made once (under another name, renamed
// when complete, so a broken earlier run is never taken for it).
void MakeTree(const fs::path& root, const Sizes& sizes) {
    if (fs::exists(root)) return;
    const fs::path partial = root.string() + ".partial";
    fs::remove_all(partial);
    char name[96];
    int n = 0;
    for (int top = 0; top < sizes.topFolders; ++top) {
        for (int sub = 0; sub < sizes.subFolders; ++sub) {
            const fs::path folder =
                partial / ("module" + std::to_string(top)) / ("part" + std::to_string(sub));
            fs::create_directories(folder);
            for (int i = 0; i < sizes.filesPerFolder; ++i, ++n) {
                std::snprintf(name, sizeof name, "abcdefghijklm_source_%06d.%s", n,
                              kExtensions[n % std::size(kExtensions)]);
                bench::Touch(folder / name);
            }
        }
    }
    for (const char* spared : {".git/objects", "module1/build"}) {
        fs::create_directories(partial / spared);
        for (int i = 0; i < sizes.sparedFiles; ++i) {
            std::snprintf(name, sizeof name, "object_%06d.%s", i, i % 2 == 0 ? "c" : "h");
            bench::Touch(partial / spared / name);
        }
    }
    fs::rename(partial, root);
}

std::vector<std::string> FindArguments(const std::string& root) {
    return {"find",  root, "(", "-name",  ".git", "-o", "-name",  "build", ")", "-prune", "-o",
            "-type", "f",  "(", "-iname", "*.c",  "-o", "-iname", "*.h",   ")", "-print"};
}

std::vector<std::string> Sorted(std::vector<std::string> paths) {
    std::sort(paths.begin(), paths.end());
    return paths;
}

tamble::MaskedFileOptions SearchOptions() {
    tamble::MaskedFileOptions options;
    options.findSubFolders = true;
    options.outOfFolderPattern = true;
    options.folderPattern = kSparedFolders;
    return options;
}

// Prompts that note when the first question came and answer it No.
class StampingPrompts : public platform::ScriptedPrompts {
public:
    void Message(const std::string& text, const std::string& title,
                 platform::PromptIcon icon) override {
        Stamp();
        ScriptedPrompts::Message(text, title, icon);
    }
    bool YesNo(const std::string& text, const std::string& title,
               platform::PromptIcon icon) override {
        Stamp();
        return ScriptedPrompts::YesNo(text, title, icon);
    }
    void Reset() {
        asked.clear();
        first_.reset();
    }
    [[nodiscard]] Clock::time_point First() const { return first_.value_or(Clock::now()); }

private:
    void Stamp() {
        if (!first_) first_ = Clock::now();
    }
    std::optional<Clock::time_point> first_;
};

// The number the delete question names: "次の N 個の項目を..."; -1 without one.
long QuestionCount(const std::string& text) {
    const std::string prefix = platform::Utf8ToCp932("次の ");
    if (text.compare(0, prefix.size(), prefix) != 0) return -1;
    return std::strtol(text.c_str() + prefix.size(), nullptr, 10);
}

// The paths the question lists, one a line after its first line.
std::vector<std::string> QuestionPaths(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = text.find('\n');
    while (at != std::string::npos) {
        const size_t next = text.find('\n', at + 1);
        lines.push_back(text.substr(at + 1, next == std::string::npos ? next : next - at - 1));
        at = next;
    }
    return lines;
}

void BenchSearch(Report& report, const std::string& root) {
    const std::vector<std::string> expected = Sorted(bench::OutputLines(FindArguments(root)));
    report.Check(!expected.empty(), "find found nothing in " + root);
    const bench::Timed find{[&] { bench::Run(FindArguments(root)); }};

    tamble::MaskedFiles found;
    const auto foundPaths = [&found] {
        std::vector<std::string> paths;
        for (const platform::FoundFile& file : found.found.files)
            paths.push_back(found.found.PathOf(file));
        return Sorted(std::move(paths));
    };
    const auto collect = Interleave(
        {[&] { tamble::CollectMaskedFiles(root, kMasks, SearchOptions(), found); },
         {},
         [&] { report.Check(foundPaths() == expected, "the search found other files than find"); }},
        find, report.Rounds());
    report.Ratio("collect / find", collect.ours, collect.theirs, 1.0,
                 Milliseconds(collect.ours) + " / " + Milliseconds(collect.theirs) + ", " +
                     std::to_string(expected.size()) + " files");

    StampingPrompts prompts;
    platform::ShellOwner shell;
    shell.prompts = &prompts;
    tamble::AppOptions options;
    options.DeleteFilesFindSubFolders = true;
    options.DeleteFilesOutOfFolderPattern = true;
    tamble::ToolState tools;
    tools.cmbDeleteFilesFromMask = {kMasks};
    tools.cmbOutOfFolderPattern = {kSparedFolders};
    std::unique_ptr<tamble::TfrmDeleteFilesFromMask> dialog;
    const auto open = [&] {
        dialog =
            std::make_unique<tamble::TfrmDeleteFilesFromMask>(nullptr, root, options, tools, shell);
        bench::PaintWatch painted(dialog.get());
        dialog->show();
        report.Check(painted.Wait(), "the delete dialog was never painted");
        prompts.Reset();
    };
    const auto question = [&] {
        const bool asked = prompts.asked.size() == 1 && prompts.asked[0].kind == "YesNo";
        const std::string text = asked ? prompts.asked[0].text : std::string();
        report.Check(asked, "the delete dialog asked no single question");
        report.Check(QuestionCount(text) == static_cast<long>(expected.size()),
                     "the question names another number of files than find found");
        for (const std::string& path : QuestionPaths(text)) {
            if (path.find('/') != std::string::npos)
                report.Check(std::binary_search(expected.begin(), expected.end(), path),
                             "the question names " + path + ", which find did not find");
        }
        report.Check(bench::OutputLines(FindArguments(root)).size() == expected.size(),
                     "files went although the question was answered No");
    };
    const auto deletion = Interleave({[&] { QTest::mouseClick(dialog->Button1, Qt::LeftButton); },
                                      open, question, [&] { return prompts.First(); }},
                                     find, report.Rounds());
    report.Ratio("delete until asked / find", deletion.ours, deletion.theirs, 1.1,
                 Milliseconds(deletion.ours) + " / " + Milliseconds(deletion.theirs));
}

// The list file of count names and the paths tee writes for the same names.
std::vector<std::string> MakeList(const fs::path& list, const fs::path& teeFolder, int count) {
    std::ofstream out(list, std::ios::binary);
    std::vector<std::string> targets{"tee"};
    for (int i = 0; i < count; ++i) {
        const std::string name = "copy" + std::to_string(i);
        out << name << "\r\n";
        targets.push_back((teeFolder / name).string());
    }
    return targets;
}

void Empty(const fs::path& folder) {
    fs::remove_all(folder);
    fs::create_directories(folder);
}

// Whether folder holds exactly count files, each with content.
bool CopiesRight(const fs::path& folder, int count, const std::string& content) {
    int files = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (bench::ReadAll(entry.path()) != content) return false;
        ++files;
    }
    return files == count;
}

void BenchCopy(Report& report, const fs::path& folder, const char* what, int copies, size_t size,
               int rounds, double target) {
    fs::create_directories(folder);
    const fs::path source = folder / "source.bin";
    bench::WritePattern(source, size);
    const std::string content = bench::ReadAll(source);
    const fs::path ours = folder / "ours";
    const fs::path theirs = folder / "tee";
    const fs::path list = folder / "list.txt";
    const std::vector<std::string> tee = MakeList(list, theirs, copies);

    platform::ScriptedPrompts prompts;
    platform::ShellOwner shell;
    shell.prompts = &prompts;
    tamble::ToolState tools;
    tools.DuplicateFilePath = source.string();
    tamble::TfrmCopyFiles dialog(nullptr, std::string(), tools, shell);
    dialog.EditToFolder->setText(QString::fromStdString(ours.string()));
    dialog.EditFileList->setText(QString::fromStdString(list.string()));
    {
        bench::PaintWatch painted(&dialog);
        dialog.show();
        report.Check(painted.Wait(), "the copy dialog was never painted");
    }
    const QString done = QStringLiteral("作成が終了しました");
    bench::PaintWatch finished(dialog.Label3, [&] { return dialog.Label3->text() == done; });

    const auto times = Interleave(
        {[&] {
             QTest::mouseClick(dialog.Button1, Qt::LeftButton);
             report.Check(finished.Wait(), std::string(what) + ": the end was never painted");
         },
         [&] {
             Empty(ours);
             dialog.Label3->clear();
             QApplication::processEvents();
             finished.Rearm();
         },
         [&] {
             report.Check(prompts.asked.empty(), std::string(what) + ": a copy failed");
             report.Check(CopiesRight(ours, copies, content),
                          std::string(what) + ": the copies differ from the source");
         }},
        {[&] {
             report.Check(bench::Run(tee, source.string()) == 0,
                          std::string(what) + ": tee failed");
         },
         [&] { Empty(theirs); }},
        rounds);
    report.Ratio(std::string(what) + " / tee", times.ours, times.theirs, target,
                 Milliseconds(times.ours) + " / " + Milliseconds(times.theirs));
}

int RunBenchmarks(const bench::Options& options, const fs::path& root) {
    const Sizes sizes = options.smoke ? kSmokeSizes : kFullSizes;
    const fs::path tree = root / (options.smoke ? "smoke-tree" : "tree");
    std::printf("making the data in %s ...\n", root.c_str());
    std::fflush(stdout);
    MakeTree(tree, sizes);
    Report report(options);
    BenchSearch(report, tree.string());
    BenchCopy(report, root / "copy-small", "copy small", sizes.smallCopies, sizes.smallSize,
              report.Rounds(), 1.5);
    BenchCopy(report, root / "copy-large", "copy large", sizes.largeCopies, sizes.largeSize,
              std::min(report.Rounds(), kLargeRounds), 1.0);
    std::error_code ignored;
    fs::remove_all(root / "copy-small", ignored);
    fs::remove_all(root / "copy-large", ignored);
    return report.ExitCode();
}

} // namespace

int main(int argc, char** argv) {
    return bench::RunQtBenchmarks(argc, argv, RunBenchmarks);
}
