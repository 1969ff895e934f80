#include "app/pageslot.h"

#include <QVBoxLayout>

namespace tamble {

PageSlot::PageSlot(Builder build, QWidget* parent) : QWidget(parent), build_(std::move(build)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
}

QWidget* PageSlot::Page() {
    if (page_ == nullptr) {
        // Taken out first: a builder that asks for the page again (through
        // a signal of a control it sets up) must not build a second one.
        Builder build = std::move(build_);
        build_ = {};
        if (!build) return nullptr;
        page_ = build(this);
        layout()->addWidget(page_);
        // A layout shows a new child only on the next pass of the event
        // loop; whoever asked for the page may use it at once.
        page_->show();
    }
    return page_;
}

} // namespace tamble
