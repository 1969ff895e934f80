// The images of the file list's extension cache, one per entry of its list
// of extensions, each looked up the first time a row on screen shows it. A
// folder whose files carry thousands of extensions is shown after a
// screenful of look-ups; the others follow as their rows come into view.
#pragma once

#include <QIcon>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace tamble {

class ExtensionIcons {
public:
    // The image of a file, given its native path; only its name may be
    // read, the file need not exist any more.
    using LookUp = std::function<QIcon(const QString& path)>;

    explicit ExtensionIcons(LookUp lookUp);

    // Adds an entry whose image is that of the file at samplePath.
    void Add(QString samplePath);
    void Clear();
    [[nodiscard]] size_t Size() const { return entries_.size(); }
    // The image of entry k (below Size()), looked up now if it never was.
    [[nodiscard]] const QIcon& At(size_t k);

private:
    struct Entry {
        QString sample;
        std::optional<QIcon> icon;
    };

    LookUp lookUp_;
    std::vector<Entry> entries_;
};

} // namespace tamble
