// The file page as the user sees it: a click on a folder of the tree until
// the list has been painted with its files, against standard tools and
// against itself at other sizes, in one run:
//   fill        100,000 files (50 extensions) / find -printf | sort of them,
//               both in byte order (LC_ALL=C), the leanest listing there is
//   scaling     fill of 200,000 files / fill of 100,000, and fill of
//               1,000,000 / fill of 100,000
//   leaving     from the 200,000-file folder to one of 20 files / the fill
//               of the 200,000; the same from the 1,000,000-file folder
//   narrowing   one key typed into the narrowing box on the 100,000 files
//               until the list is painted / the fill of the 100,000
//   memory      the peak resident size of a page showing the 100,000 files
//               less that of one showing an empty folder, per row; each
//               measured in a process of its own (this program started
//               again), so no earlier peak of this run hides it
//   icons       100,000 files of 5,000 extensions / of one (.txt), both
//               from an empty icon cache, emptied as its menu entry does
//               (the types and theme icons looked up behind it stay for the
//               process, as they do for the user); the extensions are the
//               system's known ones (.txt, .png, .pdf, ...), then made-up ones
//   tree        expanding a folder of 2,000 subfolders / find -maxdepth 2
// Every list shown is compared with a scan of its folder (names, order,
// sizes; a narrowed list with the names that pass), every tree with its
// subfolders; a wrong one fails the benchmark whatever the times. The list
// is read through the item view's model only, whatever view shows it.
//
// The folder of 1,000,000 files is made once (some 20 seconds; about 85 MB
// and a million inodes) and kept for later runs in the cache folder
// (bench::CacheFolder), or in FOLDER when one is given.
#include "app/tfrmtamble.h"
#include "bench/benchcommon.h"
#include "bench/offscreenmain.h"
#include "bench/paintwait.h"
#include "fileview/fileviewpage.h"
#include "fileview/foldertree.h"
#include "tests/common/scriptedprompts.h"
#include "widgets/qtext.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
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

// What a user types into the narrowing box: the text already there, and
// the key timed. Names are "file" and six digits, so with 100,000 files
// "file01" keeps a tenth of them and the key "2" a hundredth.
struct Narrowing {
    const char* before;
    char key;
};

// Sizes of a full run and of a smoke run.
struct Sizes {
    int bigFolder;
    int hugeFolder;
    int extensions;
    int distinctExtensions;
    int subFolders;
    Narrowing narrowing;
};
constexpr Sizes kFullSizes{100000, 1000000, 50, 5000, 2000, {"file01", '2'}};
constexpr Sizes kSmokeSizes{2000, 5000, 50, 200, 40, {"file00", '1'}};
constexpr int kSmallFolder = 20;
// Every this many files one gets a size of its own (its index, below
// kLargestSize), so that sizes are checked too; the cap keeps the folder of
// a million files small on disk.
constexpr int kSizedEvery = 997;
constexpr int kLargestSize = 100000;
// Room the folder of a million files needs: an inode each, and its
// directory and sized files (about 85 MB) with a margin.
constexpr unsigned long long kHugeFolderBytes = 512ULL << 20;
// Times each memory probe runs in a full run; its median counts.
constexpr int kMemoryProbes = 3;
// The argument that makes this program a memory probe (PeakMemoryProbe).
constexpr const char* kPeakOption = "--peak-memory";

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
// when complete). Returns whether it was made now.
bool MakeFiles(const fs::path& folder, int count, const std::vector<std::string>& extensions) {
    if (fs::exists(folder)) return false;
    const fs::path partial = folder.string() + ".partial";
    fs::remove_all(partial);
    fs::create_directories(partial);
    char name[96];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "file%06d.%s", i,
                      extensions[static_cast<size_t>(i) % extensions.size()].c_str());
        if (i % kSizedEvery == 1) {
            std::ofstream(partial / name, std::ios::binary) << std::string(i % kLargestSize, 's');
        } else {
            bench::Touch(partial / name);
        }
    }
    fs::rename(partial, folder);
    return true;
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

// ASCII letters folded to lower case: the list's order and the narrowing
// both disregard their case.
std::string Folded(const std::string& text) {
    std::string folded = text;
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return folded;
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

// A row as the list must show it: the file's name and its size text.
using Rows = std::vector<std::pair<std::string, std::string>>;

// What the list must show for folder: each file's name and size text, in
// display order (ASCII letters without regard to case, then bytes: the
// order the list promises, written here apart from the program's own key),
// read with readdir and stat.
Rows ScanFolder(const fs::path& folder) {
    struct Keyed {
        std::string key;
        std::pair<std::string, std::string> row;
    };
    std::vector<Keyed> keyed;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return {};
    while (const dirent* entry = readdir(dir)) {
        struct stat status;
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (fstatat(dirfd(dir), name.c_str(), &status, 0) != 0 || !S_ISREG(status.st_mode))
            continue;
        keyed.push_back(
            {Folded(name), {name, GroupedDigits(static_cast<unsigned long long>(status.st_size))}});
    }
    closedir(dir);
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        return a.key != b.key ? a.key < b.key : a.row.first < b.row.first;
    });
    Rows rows;
    rows.reserve(keyed.size());
    for (Keyed& row : keyed)
        rows.push_back(std::move(row.row));
    return rows;
}

// The rows of rows whose names begin with prefix without regard to ASCII
// case: what a narrowing text without "*", "?" or ";" keeps.
Rows Narrowed(const Rows& rows, const std::string& prefix) {
    const std::string folded = Folded(prefix);
    Rows kept;
    for (const auto& row : rows)
        if (Folded(row.first).compare(0, folded.size(), folded) == 0) kept.push_back(row);
    return kept;
}

// Scans of folders, each made once: the data does not change during a run,
// and a scan of a million files takes seconds.
class Scans {
public:
    const Rows& Of(const fs::path& folder) {
        auto known = scans_.find(folder);
        if (known == scans_.end()) known = scans_.emplace(folder, ScanFolder(folder)).first;
        return known->second;
    }

private:
    std::map<fs::path, Rows> scans_;
};

class Page {
public:
    // The page with drives as its drives, its settings in settings; the
    // tree's nodes of their folders are the ones clicked.
    Page(std::vector<fs::path> drives, const fs::path& settings) {
        tamble::ShellEnvironment environment;
        environment.settingsPath = (settings / "tamble.ini").string();
        environment.dataFolder = settings.string();
        environment.prompts = &prompts_;
        environment.trayAvailable = false;
        tamble::FileViewServices services;
        services.drives = [drives] {
            std::vector<platform::Drive> list;
            for (const fs::path& drive : drives)
                list.push_back({drive.string(), ""});
            return list;
        };
        environment.fileView = services;
        window_ = std::make_unique<tamble::TfrmTamble>(std::move(environment));
        page_ = window_->findChild<tamble::FileViewPage*>(QStringLiteral("tabFileView"));
        if (page_ != nullptr) {
            list_ = page_->findChild<QAbstractItemView*>(QStringLiteral("ListViewFile"));
            tree_ = page_->findChild<QTreeWidget*>(QStringLiteral("TreeViewDirectory"));
            narrow_ = page_->findChild<QLineEdit*>(QStringLiteral("edtNarrow"));
        }
        if (page_ == nullptr || list_ == nullptr || tree_ == nullptr || narrow_ == nullptr) {
            std::fprintf(stderr, "the file page or one of its controls is missing\n");
            std::exit(1);
        }
        window_->findChild<QTabWidget*>(QStringLiteral("PageControl"))
            ->setCurrentIndex(tamble::kFilePage);
        listPaints_ = std::make_unique<bench::PaintWatch>(list_->viewport());
        treePaints_ = std::make_unique<bench::PaintWatch>(tree_->viewport());
        window_->show();
        listPaints_->Wait();
    }

    // Clicks folder's node in the tree and waits until the list is painted;
    // nothing when the list shows folder already. False when the folder has
    // no node or the list was never painted.
    bool Click(const fs::path& folder) {
        QTreeWidgetItem* node = Node(folder);
        if (node == nullptr) return false;
        if (page_->ListedNode() == node) return true;
        tree_->scrollToItem(node);
        QApplication::processEvents();
        const QPoint at = tree_->visualItemRect(node).center();
        listPaints_->Rearm();
        QTest::mouseClick(tree_->viewport(), Qt::LeftButton, {}, at);
        return listPaints_->Wait();
    }

    // Empties the icon cache as its menu entry does (the list is shown again).
    void ClearIconCache() {
        listPaints_->Rearm();
        page_->C2Click();
        listPaints_->Wait();
    }

    // Puts text into the narrowing box at once, as a paste does, and waits
    // until the list is painted; nothing when the box holds it already.
    bool SetNarrowing(const std::string& text) {
        const QString wanted = QString::fromStdString(text);
        if (narrow_->text() == wanted) return true;
        listPaints_->Rearm();
        narrow_->setText(wanted);
        return listPaints_->Wait();
    }
    // Types key at the end of the narrowing box and waits until the list is painted.
    bool TypeNarrowing(char key) {
        narrow_->setFocus();
        narrow_->end(false);
        listPaints_->Rearm();
        QTest::keyClick(narrow_, key);
        return listPaints_->Wait();
    }

    // Expands folder, a folder of many subfolders, as a click on its arrow
    // does and waits until the tree is painted.
    void ExpandTree(const fs::path& folder) {
        QTreeWidgetItem* node = Node(folder);
        treePaints_->Rearm();
        node->setExpanded(true);
        treePaints_->Wait();
    }
    // Puts that folder back in the state it had before it was ever opened.
    void ResetTree(const fs::path& folder) {
        QTreeWidgetItem* node = Node(folder);
        node->setExpanded(false);
        qDeleteAll(node->takeChildren());
        new QTreeWidgetItem(node, {platform::FromCp932(tamble::PlaceholderText())});
        QApplication::processEvents();
    }

    [[nodiscard]] int RowCount() const { return list_->model()->rowCount(); }

    // Whether the list shows exactly rows, in order, with their sizes.
    [[nodiscard]] bool ListShows(const Rows& rows) const {
        const QAbstractItemModel* model = list_->model();
        if (model->rowCount() != static_cast<int>(rows.size()) || model->columnCount() < 2)
            return false;
        for (int i = 0; i < model->rowCount(); ++i) {
            const auto& [name, size] = rows[static_cast<size_t>(i)];
            if (model->index(i, 0).data().toString().toStdString() != name ||
                model->index(i, 1).data().toString().toStdString() != size)
                return false;
        }
        return true;
    }

    // Whether the expanded folder shows its subfolders, and an expand
    // button on exactly those that have a subfolder.
    [[nodiscard]] bool TreeShows(const fs::path& folder, int subFolders) const {
        const QTreeWidgetItem* node = Node(folder);
        int withArrow = 0;
        for (int i = 0; i < node->childCount(); ++i)
            withArrow += node->child(i)->childCount() > 0 ? 1 : 0;
        return node->childCount() == subFolders && withArrow == subFolders / 2;
    }

private:
    // The node of folder: a drive, or a folder right below one; null when none.
    [[nodiscard]] QTreeWidgetItem* Node(const fs::path& folder) const {
        const std::string wanted = folder.string();
        for (int d = 0; d < tree_->topLevelItemCount(); ++d) {
            QTreeWidgetItem* drive = tree_->topLevelItem(d);
            if (page_->NodePath(drive) == wanted) return drive;
            for (int i = 0; i < drive->childCount(); ++i)
                if (page_->NodePath(drive->child(i)) == wanted) return drive->child(i);
        }
        return nullptr;
    }

    platform::ScriptedPrompts prompts_;
    std::unique_ptr<tamble::TfrmTamble> window_;
    QAbstractItemView* list_ = nullptr; // the page's ListViewFile
    QTreeWidget* tree_ = nullptr;       // the page's TreeViewDirectory
    QLineEdit* narrow_ = nullptr;       // the page's edtNarrow
    tamble::FileViewPage* page_ = nullptr;
    std::unique_ptr<bench::PaintWatch> listPaints_;
    std::unique_ptr<bench::PaintWatch> treePaints_;
};

std::string Times(const bench::Medians& medians) {
    return Milliseconds(medians.ours) + " / " + Milliseconds(medians.theirs);
}

std::string Megabytes(double bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", bytes / (1 << 20));
    return text;
}

// The memory probe, run as "PROGRAM --peak-memory EMPTY [FOLDER]": a new
// page on the folder holding EMPTY shows EMPTY, then FOLDER when given, and
// the probe prints its peak resident bytes and the rows the list shows.
int PeakMemoryProbe(const fs::path& empty, const fs::path& folder) {
    Page page({empty.parent_path()}, empty.parent_path());
    bool shown = page.Click(empty);
    if (shown && !folder.empty()) shown = page.Click(folder);
    bench::Settle();
    if (!shown) return 1;
    std::printf("%lld %d\n", bench::PeakResidentBytes(), page.RowCount());
    return 0;
}

// How a probe went: its peak resident bytes and the rows it showed; -1
// when it failed.
struct Peak {
    long long bytes = -1;
    long long rows = -1;
};

// Runs this program as a memory probe on empty, then folder ("" none).
Peak MeasurePeak(const fs::path& empty, const fs::path& folder) {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) return {};
    std::vector<std::string> arguments{self.string(), kPeakOption, empty.string()};
    if (!folder.empty()) arguments.push_back(folder.string());
    const std::vector<std::string> lines = bench::OutputLines(arguments);
    Peak peak;
    if (lines.size() != 1 ||
        std::sscanf(lines[0].c_str(), "%lld %lld", &peak.bytes, &peak.rows) != 2)
        return {};
    return peak;
}

int RunBenchmarks(const bench::Options& options, const fs::path& root) {
    const Sizes sizes = options.smoke ? kSmokeSizes : kFullSizes;
    const std::string tag = options.smoke ? "smoke-" : "";
    Report report(options);
    std::printf("making the folders in %s ...\n", root.c_str());
    std::fflush(stdout);
    // Names of their own, so that folders an older run left behind are
    // never taken for them.
    const fs::path big = root / (tag + "list-100k");
    const fs::path bigger = root / (tag + "list-200k");
    const fs::path small = root / (tag + "list-20");
    const fs::path empty = root / (tag + "list-empty");
    const fs::path distinct = root / (tag + "icons-5000");
    const fs::path single = root / (tag + "icons-1");
    const fs::path tree = root / (tag + "tree-2000");
    const std::vector<std::string> extensions = Extensions(sizes.extensions);
    MakeFiles(big, sizes.bigFolder, extensions);
    MakeFiles(bigger, 2 * sizes.bigFolder, extensions);
    MakeFiles(small, kSmallFolder, extensions);
    MakeFiles(empty, 0, extensions);
    MakeFiles(distinct, sizes.bigFolder, Extensions(sizes.distinctExtensions));
    MakeFiles(single, sizes.bigFolder, {"txt"});
    MakeTree(tree, sizes.subFolders);

    // The million files are kept between runs; a smoke run's few are not.
    const fs::path hugeDrive = options.smoke ? root : bench::CacheFolder(options);
    const fs::path huge = hugeDrive / (tag + "list-1m");
    if (!fs::exists(huge)) {
        if (!report.Check(options.smoke || bench::HasRoomFor(hugeDrive, sizes.hugeFolder + 1000,
                                                             kHugeFolderBytes),
                          "no room in " + hugeDrive.string() + " for " +
                              std::to_string(sizes.hugeFolder) + " files"))
            return report.ExitCode();
        std::printf("making %s%s ...\n", huge.c_str(),
                    options.smoke ? "" : ", kept for later runs");
        std::fflush(stdout);
        const auto start = std::chrono::steady_clock::now();
        MakeFiles(huge, sizes.hugeFolder, extensions);
        report.Note(
            "made " + huge.string() + " in " +
            Milliseconds(
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()));
    }

    // Memory first, in processes of their own: each peak is its page's alone.
    {
        const int probes = report.Smoke() ? 1 : kMemoryProbes;
        std::vector<double> perRow;
        Peak empties;
        Peak shown;
        for (int i = 0; i < probes; ++i) {
            empties = MeasurePeak(empty, {});
            shown = MeasurePeak(empty, big);
            report.Check(empties.bytes > 0 && empties.rows == 0,
                         "the memory probe on the empty folder failed");
            report.Check(shown.bytes > 0 && shown.rows == sizes.bigFolder,
                         "the memory probe did not show " + std::to_string(sizes.bigFolder) +
                             " rows");
            perRow.push_back(static_cast<double>(shown.bytes - empties.bytes) / sizes.bigFolder);
        }
        std::sort(perRow.begin(), perRow.end());
        report.Ratio("peak memory per row, bytes", perRow[perRow.size() / 2], 1.0, 250,
                     "peak " + Megabytes(static_cast<double>(shown.bytes)) + " with " +
                         std::to_string(sizes.bigFolder) + " rows, " +
                         Megabytes(static_cast<double>(empties.bytes)) + " empty");
    }

    Page page(hugeDrive == root ? std::vector<fs::path>{root}
                                : std::vector<fs::path>{root, hugeDrive},
              root);
    Scans scans;
    const int rounds = report.Rounds();
    // Clicks folder; the check of what the list then shows.
    const auto show = [&page, &report](const fs::path& folder) {
        report.Check(page.Click(folder), "the list of " + folder.string() + " was never painted");
    };
    const auto showsRows = [&page, &report](const Rows& rows, const std::string& what) {
        return [&page, &report, &rows, what] {
            bench::Settle();
            report.Check(page.ListShows(rows), "the list of " + what + " differs from its files");
        };
    };
    const auto shows = [&](const fs::path& folder) {
        return showsRows(scans.Of(folder), folder.string());
    };
    // Showing folder, timed, from the small folder, once the folder left
    // has gone wholly: what leaving defers must not fall into the fill.
    const auto fromSmall = [&page, small] {
        page.Click(small);
        bench::Settle();
    };
    const auto fill = [&](const fs::path& folder) {
        return bench::Timed{[&show, folder] { show(folder); }, fromSmall, shows(folder)};
    };

    const std::string bigPath = big.string();
    const bench::Timed findSort{[&] {
        const int status = bench::RunPiped(
            {"find", bigPath, "-maxdepth", "1", "-printf", "%f %s\\n"}, {"sort"}, {"LC_ALL=C"});
        report.Check(status == 0, "find | sort failed");
    }};
    const auto fills = Interleave(fill(big), findSort, rounds);
    report.Ratio("fill 100k / find|sort", fills.ours, fills.theirs, 0.8, Times(fills));

    const auto scaling = Interleave(fill(bigger), fill(big), rounds);
    report.Ratio("fill 200k / fill 100k", scaling.ours, scaling.theirs, 2.1, Times(scaling));

    const bench::Timed leave{[&show, small] { show(small); },
                             [&page, bigger] { page.Click(bigger); }, shows(small)};
    const auto leaving = Interleave(leave, fill(bigger), rounds);
    report.Ratio("leaving 200k / fill 200k", leaving.ours, leaving.theirs, 0.1, Times(leaving));

    // One key on the big folder already narrowed by the text before it.
    const Narrowing narrowing = sizes.narrowing;
    const Rows kept = Narrowed(scans.Of(big), std::string(narrowing.before) + narrowing.key);
    report.Check(!kept.empty() && kept.size() < scans.Of(big).size(),
                 "the narrowing keeps no row or every row");
    const bench::Timed typeKey{
        [&] {
            report.Check(page.TypeNarrowing(narrowing.key), "the narrowed list was never painted");
        },
        [&] {
            report.Check(page.Click(big) && page.SetNarrowing(narrowing.before),
                         "the list of " + bigPath + " narrowed by " + narrowing.before +
                             " was never painted");
            bench::Settle();
        },
        showsRows(kept, bigPath + " narrowed")};
    const auto narrowings = Interleave(typeKey, fill(big), rounds);
    report.Ratio("narrow key / fill 100k", narrowings.ours, narrowings.theirs, 0.05,
                 Times(narrowings));

    // A round fills the million, leaves it for the small folder, and fills
    // the 100,000 twice. The first fill after the million rows have gone is
    // slower (their freed memory is still being sorted out), so it is only
    // reported; the second, measured as every other fill is, is the
    // reference of both ratios.
    const bench::Timed leaveHuge{[&show, small] { show(small); },
                                 [&page, huge] { page.Click(huge); }, shows(small)};
    const std::vector<double> hugeTimes =
        bench::InterleaveAll({fill(huge), leaveHuge, fill(big), fill(big)}, rounds);
    report.Ratio("fill 1M / fill 100k", hugeTimes[0], hugeTimes[3], 10.5,
                 Milliseconds(hugeTimes[0]) + " / " + Milliseconds(hugeTimes[3]));
    report.Ratio("leave 1M / fill 1M", hugeTimes[1], hugeTimes[0], 0.02,
                 Milliseconds(hugeTimes[1]) + " / " + Milliseconds(hugeTimes[0]));
    char afterHuge[96];
    std::snprintf(afterHuge, sizeof afterHuge,
                  "first fill 100k after leaving 1M: %s, %.2f x the fill 100k (reported only)",
                  Milliseconds(hugeTimes[2]).c_str(),
                  hugeTimes[3] > 0 ? hugeTimes[2] / hugeTimes[3] : 0.0);
    report.Note(afterHuge);

    const auto fromEmptyCache = [&](const fs::path& folder) {
        return bench::Timed{[&show, folder] { show(folder); },
                            [&page, small] {
                                page.Click(small);
                                page.ClearIconCache();
                            },
                            shows(folder)};
    };
    const auto icons = Interleave(fromEmptyCache(distinct), fromEmptyCache(single), rounds);
    report.Ratio("icons 5,000 ext / 1 ext", icons.ours, icons.theirs, 1.3, Times(icons));

    const std::string treePath = tree.string();
    const bench::Timed findTree{[&] {
        bench::Run({"find", treePath, "-mindepth", "1", "-maxdepth", "2", "-type", "d"});
    }};
    const auto expansions = Interleave(
        {[&page, tree] { page.ExpandTree(tree); }, [&page, tree] { page.ResetTree(tree); }},
        findTree, rounds);
    report.Check(page.TreeShows(tree, sizes.subFolders),
                 "the expanded tree misses subfolders or arrows");
    report.Ratio("tree / find", expansions.ours, expansions.theirs, 1.5, Times(expansions));
    return report.ExitCode();
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == kPeakOption) {
        const fs::path empty = argv[2];
        const fs::path folder = argc >= 4 ? argv[3] : "";
        // The probe's own arguments are no benchmark options.
        int qtArgc = 1;
        platform::KeepFreedMemoryForReuse();
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        QApplication application(qtArgc, argv);
        return PeakMemoryProbe(empty, folder);
    }
    return bench::RunQtBenchmarks(argc, argv, RunBenchmarks);
}
