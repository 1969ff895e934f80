#include "app/tfrmoutput.h"

#include "widgets/appstyle.h"
#include "widgets/qtext.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace tamble {
namespace {

constexpr int kDesignWidth = 419;
constexpr int kDesignHeight = 325;

} // namespace

TfrmOutput::TfrmOutput(const std::vector<std::string>& lines, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmOutput"));
    setWindowTitle(QStringLiteral("アウトプット"));
    setFont(MainFont());
    setSizeGripEnabled(true);
    resize(kDesignWidth, kDesignHeight);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QStringList text;
    for (const std::string& line : lines)
        text << platform::FromCp932(line);
    Memo1->setPlainText(text.join(QLatin1Char('\n')));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo1);

    if (parent != nullptr) {
        const QRect area = parent->frameGeometry();
        move(area.center() - QPoint(kDesignWidth / 2, kDesignHeight / 2));
    }
}

} // namespace tamble
