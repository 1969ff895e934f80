// Times the file page against find(1) on the same folders, in one run, and
// prints one ratio per line with its target:
//   fill      listing 100,000 files of 50 extensions into the real list
//             (sorted, icons from the warm cache) / find -printf of them
//   scaling   fill of 200,000 files / fill of 100,000
//   leaving   going from the 100,000-file folder to an empty one / the fill
//   icons     fill with 5,000 distinct extensions / fill with one, both
//             from an empty icon cache
//   tree      expanding a folder of 2,000 subfolders / find -maxdepth 2
// and the peak memory of the 100,000-file fill. Runs on the offscreen
// platform; the folders live in the temporary folder and are removed,
// unless a folder is named as argument: then they are made there once and kept.
#include "benchcommon.h"
#include "fileviewpage.h"
#include "foldertree.h"
#include "qtext.h"
#include "scriptedprompts.h"
#include "tfrmtamble.h"

#include <QApplication>
#include <QTreeWidget>

#include <stdlib.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using bench::kRuns;
using bench::Median;
using bench::MedianOf;
using bench::Run;
using bench::Seconds;
using bench::Touch;

constexpr int kBigFolder = 100000;
constexpr int kExtensions = 50;
constexpr int kDistinctExtensions = 5000;
constexpr int kSubFolders = 2000;

void MakeFiles(const fs::path& folder, int count, int extensions) {
    if (fs::exists(folder)) return; // kept from an earlier run
    fs::create_directories(folder);
    char name[64];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "file%06d.e%d", i, i % extensions);
        Touch(folder / name);
    }
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

class Bench {
public:
    explicit Bench(const fs::path& root) : root_(root) {
        MakeFiles(root / "big", kBigFolder, kExtensions);
        MakeFiles(root / "bigger", 2 * kBigFolder, kExtensions);
        MakeFiles(root / "distinct", kBigFolder, kDistinctExtensions);
        MakeFiles(root / "single", kBigFolder, 1);
        fs::create_directories(root / "empty");
        const bool treeMade = fs::exists(root / "tree");
        for (int i = 0; i < kSubFolders && !treeMade; ++i) {
            const fs::path sub = root / "tree" / ("folder" + std::to_string(i));
            fs::create_directories(i % 2 == 0 ? sub / "child" : sub);
        }

        tamble::ShellEnvironment environment;
        environment.settingsPath = (root / "tamble.ini").string();
        environment.dataFolder = root.string();
        environment.prompts = &prompts_;
        environment.trayAvailable = false;
        tamble::FileViewServices services;
        services.drives = [root] { return std::vector<platform::Drive>{{root.string(), ""}}; };
        environment.hooks.BuildFolderTree = [services] {
            tamble::FileViewOf(*tamble::frmTamble, services).BuildFolderTree();
        };
        window_ = std::make_unique<tamble::TfrmTamble>(std::move(environment));
        page_ = &tamble::FileViewOf(*window_);
        window_->show();
        QApplication::processEvents();
    }

    // Shows the files of folder, as a click on its node does.
    double Fill(const char* folder) {
        QTreeWidgetItem* node = Node(folder);
        return Seconds([&] {
            window_->TreeViewDirectory->setCurrentItem(node);
            window_->state.ForceFileListUpdate = true;
            page_->UpdateFileList();
        });
    }

    void ClearIconCache() { page_->C2Click(); }
    void Show(const char* folder) { Fill(folder); }

    // Expands the folder of many subfolders as a click on its arrow does,
    // from the state it had before it was ever opened.
    double ExpandTree() {
        QTreeWidgetItem* node = Node("tree");
        node->setExpanded(false);
        qDeleteAll(node->takeChildren());
        new QTreeWidgetItem(node, {platform::FromCp932(tamble::PlaceholderText())});
        return Seconds([&] { node->setExpanded(true); });
    }

    // True when exactly the folders with a subfolder got an expand button.
    bool TreeArrowsRight() {
        QTreeWidgetItem* node = Node("tree");
        int withArrow = 0;
        for (int i = 0; i < node->childCount(); ++i)
            withArrow += node->child(i)->childCount();
        return node->childCount() == kSubFolders && withArrow == kSubFolders / 2;
    }

    int Rows() const { return window_->ListViewFile->topLevelItemCount(); }

private:
    QTreeWidgetItem* Node(const char* folder) const {
        QTreeWidgetItem* drive = window_->TreeViewDirectory->topLevelItem(0);
        for (int i = 0; i < drive->childCount(); ++i)
            if (drive->child(i)->text(0) == QString::fromLatin1(folder)) return drive->child(i);
        return drive;
    }

    fs::path root_;
    platform::ScriptedPrompts prompts_;
    std::unique_ptr<tamble::TfrmTamble> window_;
    tamble::FileViewPage* page_ = nullptr;
};

void Report(const char* name, double ratio, double target) {
    std::printf("%-8s %6.2f  (target <= %.2f)%s\n", name, ratio, target,
                ratio <= target ? "" : "  MISSED");
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    // A folder given as argument keeps the test folders for the next run.
    std::string pattern = (fs::temp_directory_path() / "tamble-bench-XXXXXX").string();
    const bool keep = argc > 1;
    const fs::path root = keep ? fs::path(argv[1]) : fs::path(mkdtemp(pattern.data()));
    fs::create_directories(root);
    std::printf("creating the folders in %s ...\n", root.c_str());
    std::fflush(stdout);
    {
        const long baseline = PeakKilobytes();
        Bench bench(root);
        const std::string big = (root / "big").string();
        const std::string tree = (root / "tree").string();

        bench.Show("big"); // warms the icon cache and the disk cache
        const long beforeFill = PeakKilobytes();
        const double fill = Median([&] { bench.Fill("big"); });
        const long afterFill = PeakKilobytes();
        const double find = Median([&] {
            Run({"find", big, "-maxdepth", "1", "-type", "f", "-printf", "%s %f\\n"});
        });
        bench.Show("bigger");
        const double bigger = Median([&] { bench.Fill("bigger"); });
        const double leaving = Median([&] { bench.Fill("empty"); }, [&] { bench.Show("big"); });
        bench.Show("distinct");
        bench.Show("single");
        const double distinct =
            Median([&] { bench.Fill("distinct"); }, [&] { bench.ClearIconCache(); });
        const double single =
            Median([&] { bench.Fill("single"); }, [&] { bench.ClearIconCache(); });
        bench.ExpandTree();
        std::vector<double> expansions;
        for (int run = 0; run < kRuns; ++run)
            expansions.push_back(bench.ExpandTree());
        const double expand = MedianOf(expansions);
        const double findTree = Median([&] {
            Run({"find", tree, "-mindepth", "1", "-maxdepth", "2", "-type", "d"});
        });

        std::printf("fill of 100,000 files: %.1f ms, find: %.1f ms; 200,000: %.1f ms\n", fill * 1e3,
                    find * 1e3, bigger * 1e3);
        std::printf("leaving: %.1f ms; icons: distinct %.1f ms, one %.1f ms; tree %.1f ms, find "
                    "%.1f ms%s\n",
                    leaving * 1e3, distinct * 1e3, single * 1e3, expand * 1e3, findTree * 1e3,
                    bench.TreeArrowsRight() ? "" : " (TREE ARROWS WRONG)");
        std::printf("peak memory: %ld MiB in all, %ld MiB for the window with 100,000 rows\n",
                    afterFill / 1024, (std::max(beforeFill, afterFill) - baseline) / 1024);
        Report("fill", fill / find, 3.0);
        Report("scaling", bigger / fill, 2.3);
        Report("leaving", leaving / fill, 0.1);
        Report("icons", distinct / single, 1.3);
        Report("tree", expand / findTree, 1.5);
    }
    std::error_code ignored;
    if (!keep) fs::remove_all(root, ignored);
    return 0;
}
