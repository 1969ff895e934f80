// The file page as the user sees it: a click on a folder of the tree until
// the list has been painted with its files, against standard tools and
// against itself at other sizes, in one run:
//   fill        100,000 files (50 extensions) / find -printf | sort of them
//   scaling     fill of 200,000 files / fill of 100,000
//   leaving     from the 200,000-file folder to one of 20 files / the fill
//               of the 200,000
//   icons       100,000 files of 5,000 extensions / of one (.txt), both
//               from an empty icon cache, emptied as its menu entry does
//               (the types and theme icons looked up behind it stay for the
//               process, as they do for the user); the extensions are the
//               system's known ones (.txt, .png, .pdf, ...), then made-up ones
//   tree        expanding a folder of 2,000 subfolders / find -maxdepth 2
// and the memory each row of the 100,000 takes. Every list shown is
// compared with a scan of its folder (names, order, sizes), every tree with
// its subfolders; a wrong one fails the benchmark whatever the times.
#include "app/tfrmtamble.h"
#include "bench/benchcommon.h"
#include "bench/offscreenmain.h"
#include "bench/paintwait.h"
#include "fileview/fileviewpage.h"
#include "fileview/foldertree.h"
#include "tests/common/scriptedprompts.h"
#include "widgets/qtext.h"

#include <QApplication>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using bench::Interleave;
using bench::Milliseconds;
using bench::Report;

// Sizes of a full run and of a smoke run.
struct Sizes {
    int bigFolder;
    int extensions;
    int distinctExtensions;
    int subFolders;
};
constexpr Sizes kFullSizes{100000, 50, 5000, 2000};
constexpr Sizes kSmokeSizes{2000, 50, 200, 40};
constexpr int kSmallFolder = 20;
// Every this many files one gets its index as size, so that sizes are checked too.
constexpr int kSizedEvery = 997;

// Extensions the system's type database knows ("*.txt" in globs2), in its order.
std::vector<std::string> KnownExtensions() {
    std::vector<std::string> extensions;
    std::set<std::string> seen;
    std::ifstream globs("/usr/share/mime/globs2");
    for (std::string line; std::getline(globs, line);) {
        const size_t glob = line.rfind(":*.");
        if (line.empty() || line[0] == '#' || glob == std::string::npos) continue;
        const std::string extension = line.substr(glob + 3);
        const bool plain = std::all_of(extension.begin(), extension.end(), [](unsigned char c) {
            return std::isalnum(c) || c == '_' || c == '-' || c == '+';
        });
        std::string folded = extension;
        for (char& c : folded)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (plain && !extension.empty() && seen.insert(folded).second)
            extensions.push_back(extension);
    }
    return extensions;
}

// count extensions: the known ones first, then made-up ones.
std::vector<std::string> Extensions(int count) {
    std::vector<std::string> extensions = KnownExtensions();
    if (extensions.size() > static_cast<size_t>(count)) extensions.resize(count);
    for (int i = 0; extensions.size() < static_cast<size_t>(count); ++i)
        extensions.push_back("x" + std::to_string(i));
    return extensions;
}

// Makes folder with count files of the given extensions in turn, unless
// an earlier run made it whole (it is made under another name and renamed
// when complete).
void MakeFiles(const fs::path& folder, int count, const std::vector<std::string>& extensions) {
    if (fs::exists(folder)) return;
    const fs::path partial = folder.string() + ".partial";
    fs::remove_all(partial);
    fs::create_directories(partial);
    char name[96];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "file%06d.%s", i,
                      extensions[static_cast<size_t>(i) % extensions.size()].c_str());
        if (i % kSizedEvery == 1) {
            std::ofstream(partial / name, std::ios::binary) << std::string(i, 's');
        } else {
            bench::Touch(partial / name);
        }
    }
    fs::rename(partial, folder);
}

void MakeTree(const fs::path& folder, int count) {
    if (fs::exists(folder)) return;
    const fs::path partial = folder.string() + ".partial";
    fs::remove_all(partial);
    for (int i = 0; i < count; ++i) {
        const fs::path sub = partial / ("folder" + std::to_string(i));
        fs::create_directories(i % 2 == 0 ? sub / "child" : sub);
    }
    fs::rename(partial, folder);
}

// ASCII letters without regard to case, then bytes: the order the list
// promises, written here apart from the program's own key.
bool DisplayLess(const std::string& a, const std::string& b) {
    const auto fold = [](const std::string& s) {
        std::string folded = s;
        for (char& c : folded)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return folded;
    };
    const std::string fa = fold(a);
    const std::string fb = fold(b);
    return fa != fb ? fa < fb : a < b;
}

std::string GroupedDigits(unsigned long long size) {
    const std::string digits = std::to_string(size);
    std::string text;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

// What the list must show for folder: each file's name and size text, in
// display order, read with readdir and stat.
std::vector<std::pair<std::string, std::string>> ScanFolder(const fs::path& folder) {
    std::vector<std::pair<std::string, std::string>> rows;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return rows;
    while (const dirent* entry = readdir(dir)) {
        struct stat status;
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (fstatat(dirfd(dir), name.c_str(), &status, 0) != 0 || !S_ISREG(status.st_mode))
            continue;
        rows.emplace_back(name, GroupedDigits(static_cast<unsigned long long>(status.st_size)));
    }
    closedir(dir);
    std::sort(rows.begin(), rows.end(),
              [](const auto& a, const auto& b) { return DisplayLess(a.first, b.first); });
    return rows;
}

class Page {
public:
    // The page with root as its one drive; treeFolder is the folder of
    // many subfolders the tree benchmark expands.
    Page(const fs::path& root, std::string treeFolder)
        : root_(root), treeFolder_(std::move(treeFolder)) {
        tamble::ShellEnvironment environment;
        environment.settingsPath = (root / "tamble.ini").string();
        environment.dataFolder = root.string();
        environment.prompts = &prompts_;
        environment.trayAvailable = false;
        tamble::FileViewServices services;
        services.drives = [root] { return std::vector<platform::Drive>{{root.string(), ""}}; };
        environment.fileView = services;
        window_ = std::make_unique<tamble::TfrmTamble>(std::move(environment));
        page_ = window_->findChild<tamble::FileViewPage*>(QStringLiteral("tabFileView"));
        list_ = page_->findChild<QTreeWidget*>(QStringLiteral("ListViewFile"));
        tree_ = page_->findChild<QTreeWidget*>(QStringLiteral("TreeViewDirectory"));
        window_->findChild<QTabWidget*>(QStringLiteral("PageControl"))
            ->setCurrentIndex(tamble::kFilePage);
        listPaints_ = std::make_unique<bench::PaintWatch>(list_->viewport());
        treePaints_ = std::make_unique<bench::PaintWatch>(tree_->viewport());
        window_->show();
        listPaints_->Wait();
    }

    // Clicks folder's node in the tree and waits until the list is painted;
    // nothing when the list shows folder already.
    bool Click(const std::string& folder) {
        if (page_->ListedNode() == Node(folder)) return true;
        QTreeWidget* tree = tree_;
        QTreeWidgetItem* node = Node(folder);
        tree->scrollToItem(node);
        QApplication::processEvents();
        const QPoint at = tree->visualItemRect(node).center();
        listPaints_->Rearm();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        return listPaints_->Wait();
    }

    // Empties the icon cache as its menu entry does (the list is shown again).
    void ClearIconCache() {
        listPaints_->Rearm();
        page_->C2Click();
        listPaints_->Wait();
    }

    // Expands the folder of many subfolders as a click on its arrow does
    // and waits until the tree is painted.
    void ExpandTree() {
        QTreeWidgetItem* node = Node(treeFolder_);
        treePaints_->Rearm();
        node->setExpanded(true);
        treePaints_->Wait();
    }
    // Puts that folder back in the state it had before it was ever opened.
    void ResetTree() {
        QTreeWidgetItem* node = Node(treeFolder_);
        node->setExpanded(false);
        qDeleteAll(node->takeChildren());
        new QTreeWidgetItem(node, {platform::FromCp932(tamble::PlaceholderText())});
        QApplication::processEvents();
    }

    // Whether the list shows exactly the files of folder, in order, with their sizes.
    [[nodiscard]] bool ListShows(const std::string& folder) const {
        const auto expected = ScanFolder(root_ / folder);
        const QTreeWidget* list = list_;
        if (list->topLevelItemCount() != static_cast<int>(expected.size())) return false;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = list->topLevelItem(i);
            const auto& [name, size] = expected[static_cast<size_t>(i)];
            if (row->text(0).toStdString() != name || row->text(1).toStdString() != size)
                return false;
        }
        return true;
    }

    // Whether the expanded tree folder shows its subfolders, and an expand
    // button on exactly those that have a subfolder.
    [[nodiscard]] bool TreeShows(int subFolders) const {
        const QTreeWidgetItem* node = Node(treeFolder_);
        int withArrow = 0;
        for (int i = 0; i < node->childCount(); ++i)
            withArrow += node->child(i)->childCount() > 0 ? 1 : 0;
        return node->childCount() == subFolders && withArrow == subFolders / 2;
    }

private:
    [[nodiscard]] QTreeWidgetItem* Node(const std::string& folder) const {
        QTreeWidgetItem* drive = tree_->topLevelItem(0);
        for (int i = 0; i < drive->childCount(); ++i)
            if (drive->child(i)->text(0).toStdString() == folder) return drive->child(i);
        return drive;
    }

    fs::path root_;
    std::string treeFolder_;
    platform::ScriptedPrompts prompts_;
    std::unique_ptr<tamble::TfrmTamble> window_;
    QTreeWidget* list_ = nullptr; // the page's ListViewFile
    QTreeWidget* tree_ = nullptr; // the page's TreeViewDirectory
    tamble::FileViewPage* page_ = nullptr;
    std::unique_ptr<bench::PaintWatch> listPaints_;
    std::unique_ptr<bench::PaintWatch> treePaints_;
};

std::string Times(const bench::Medians& medians) {
    return Milliseconds(medians.ours) + " / " + Milliseconds(medians.theirs);
}

int RunBenchmarks(const bench::Options& options, const fs::path& root) {
    const Sizes sizes = options.smoke ? kSmokeSizes : kFullSizes;
    const std::string tag = options.smoke ? "smoke-" : "";
    std::printf("making the folders in %s ...\n", root.c_str());
    std::fflush(stdout);
    // Names of their own, so that folders an older run left behind are
    // never taken for them.
    const std::string big = tag + "list-100k";
    const std::string bigger = tag + "list-200k";
    const std::string small = tag + "list-20";
    const std::string distinct = tag + "icons-5000";
    const std::string single = tag + "icons-1";
    const std::string tree = tag + "tree-2000";
    const std::vector<std::string> extensions = Extensions(sizes.extensions);
    MakeFiles(root / big, sizes.bigFolder, extensions);
    MakeFiles(root / bigger, 2 * sizes.bigFolder, extensions);
    MakeFiles(root / small, kSmallFolder, extensions);
    MakeFiles(root / distinct, sizes.bigFolder, Extensions(sizes.distinctExtensions));
    MakeFiles(root / single, sizes.bigFolder, {"txt"});
    MakeTree(root / tree, sizes.subFolders);

    Report report(options);
    Page page(root, tree);
    const int rounds = report.Rounds();
    // Clicks folder; the check of what the list then shows.
    const auto show = [&page, &report](const std::string& folder) {
        report.Check(page.Click(folder), "the list of " + folder + " was never painted");
    };
    const auto shows = [&page, &report](const std::string& folder) {
        return [&page, &report, folder] {
            bench::Settle();
            report.Check(page.ListShows(folder),
                         "the list of " + folder + " differs from its files");
        };
    };
    // Showing folder, timed, from the small folder.
    const auto fill = [&](const std::string& folder) {
        return bench::Timed{[&show, folder] { show(folder); },
                            [&page, small] { page.Click(small); }, shows(folder)};
    };

    // The first fill of 100,000 rows is the one memory is measured on.
    page.Click(small);
    const long long before = bench::PeakResidentBytes();
    show(big);
    const long long after = bench::PeakResidentBytes();
    shows(big)();
    report.Note("peak memory with " + std::to_string(sizes.bigFolder) + " rows shown: " +
                std::to_string((after - before) / sizes.bigFolder) + " bytes per row");

    const std::string bigPath = (root / big).string();
    const bench::Timed findSort{[&] {
        const int status = bench::RunPiped(
            {"find", bigPath, "-maxdepth", "1", "-type", "f", "-printf", "%s %f\\n"}, {"sort"});
        report.Check(status == 0, "find | sort failed");
    }};
    const auto fills = Interleave(fill(big), findSort, rounds);
    report.Ratio("fill 100k / find|sort", fills.ours, fills.theirs, 1.0, Times(fills));

    const auto scaling = Interleave(fill(bigger), fill(big), rounds);
    report.Ratio("fill 200k / fill 100k", scaling.ours, scaling.theirs, 2.2, Times(scaling));

    const bench::Timed leave{[&show, small] { show(small); },
                             [&page, bigger] { page.Click(bigger); }, shows(small)};
    const auto leaving = Interleave(leave, fill(bigger), rounds);
    report.Ratio("leaving 200k / fill 200k", leaving.ours, leaving.theirs, 0.1, Times(leaving));

    const auto fromEmptyCache = [&](const std::string& folder) {
        return bench::Timed{[&show, folder] { show(folder); },
                            [&page, small] {
                                page.Click(small);
                                page.ClearIconCache();
                            },
                            shows(folder)};
    };
    const auto icons = Interleave(fromEmptyCache(distinct), fromEmptyCache(single), rounds);
    report.Ratio("icons 5,000 ext / 1 ext", icons.ours, icons.theirs, 1.3, Times(icons));

    const std::string treePath = (root / tree).string();
    const bench::Timed findTree{[&] {
        bench::Run({"find", treePath, "-mindepth", "1", "-maxdepth", "2", "-type", "d"});
    }};
    const auto expansions = Interleave(
        {[&page] { page.ExpandTree(); }, [&page] { page.ResetTree(); }}, findTree, rounds);
    report.Check(page.TreeShows(sizes.subFolders), "the expanded tree misses subfolders or arrows");
    report.Ratio("tree / find", expansions.ours, expansions.theirs, 1.5, Times(expansions));
    return report.ExitCode();
}

} // namespace

int main(int argc, char** argv) {
    return bench::RunQtBenchmarks(argc, argv, RunBenchmarks);
}
