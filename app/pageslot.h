// PageSlot: the place of a tab's page that is built the first time
// something needs it, so that a page the first frame does not show costs
// nothing at start-up. The tab holds the slot from the start, so the tab
// bar shows every caption at once; the page fills the slot when built.
#pragma once

#include <QWidget>

#include <functional>

namespace tamble {

class PageSlot : public QWidget {
public:
    // Makes the page, as a child of the slot it is given.
    using Builder = std::function<QWidget*(QWidget* slot)>;

    // An empty slot; build runs on the first Page().
    explicit PageSlot(Builder build, QWidget* parent = nullptr);

    // The page, built into the slot and shown with it on the first call;
    // null only when asked again while the page is being built.
    [[nodiscard]] QWidget* Page();
    // Whether the page has been built.
    [[nodiscard]] bool Built() const { return page_ != nullptr; }

private:
    Builder build_; // emptied once used
    QWidget* page_ = nullptr;
};

} // namespace tamble
