// The Run of Walls window: a second window of frmMain's, made from the core's
// table of its controls, and drawn from the same model as the main window.
#include "ui/frmMain.h"

#include "core/placement.h"
#include "ui/controls.h"
#include "ui/help.h"
#include "ui/look.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>

#include <vector>

namespace ui {

namespace layout = core::layout;

void frmMain::CreateRunWindow() {
    run_ = new QWidget(this, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    run_->setObjectName(QStringLiteral("frmRun"));
    run_->setWindowTitle(Text(layout::runTitle));
    run_->setFont(font());
    run_->setPalette(palette());
    run_->setFixedSize(TwipsToPixels(layout::runWidth), TwipsToPixels(layout::runHeight));
    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < layout::runParts.size(); ++i) {
        const layout::Control& c = *layout::runParts[i].control;
        runWidgets_[i] = Create(run_, layout::runParts[i], [this, &c](bool) { Paste(c, false); });
        if (!core::Describe(c).name.empty())
            Describe(runWidgets_[i], c);
        if (layout::TakesFocus(layout::runParts[i].kind)) {
            if (previous != nullptr)
                QWidget::setTabOrder(previous, runWidgets_[i]);
            previous = runWidgets_[i];
        }
    }
    for (const core::Command key : {core::Command::copyNext, core::Command::copyAll})
        run_->addAction(Action(key));
    auto* close = new QAction(run_);
    close->setShortcut(QKeySequence::Cancel); // Esc, as its close box
    connect(close, &QAction::triggered, run_, &QWidget::close);
    run_->addAction(close);
    for (const layout::Part& part : layout::runParts)
        ConnectInput(part);
    run_->installEventFilter(this);
    Render(model_.RunEverything());
}

// Opens the run window where it was left, or brings it to the front.
void frmMain::OpenRun() {
    const bool made = run_ != nullptr;
    if (!made)
        CreateRunWindow();
    if (!made || !run_->isVisible())
        PlaceRun();
    run_->show();
    run_->raise();
    run_->activateWindow();
    Widget(*layout::runFirstFocus)->setFocus(Qt::OtherFocusReason);
}

void frmMain::PlaceRun() {
    const core::StoredRun& r = model_.Kept().run;
    std::vector<core::Rect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        screens.push_back({area.left(), area.top(), area.width(), area.height()});
    }
    const core::Point place =
        core::OnScreen({TwipsToPixels(r.leftTwips), TwipsToPixels(r.topTwips),
                        run_->frameGeometry().width(), run_->frameGeometry().height()},
                       screens);
    run_->move(place.x, place.y);
}

std::optional<std::pair<float, float>> frmMain::RunPlace() const {
    if (run_ == nullptr || !run_->isVisible() || !PositionKnown())
        return std::nullopt;
    return std::pair{core::PixelsToTwips(run_->pos().y()), core::PixelsToTwips(run_->pos().x())};
}

// A list's rows as the model has them: only the rows that changed are set
// again, so a long run redraws little on each key.
void frmMain::RenderItems(const layout::Control& list) {
    const std::vector<std::string> items = model_.Items(list);
    if (auto* choice = qobject_cast<QComboBox*>(Widget(list))) {
        const QSignalBlocker quiet(choice); // rows coming and going are no pick
        while (choice->count() > static_cast<int>(items.size()))
            choice->removeItem(choice->count() - 1);
        for (int row = choice->count(); row < static_cast<int>(items.size()); ++row)
            choice->addItem(Text(items[static_cast<std::size_t>(row)]));
        choice->setCurrentIndex(std::min(model_.Row(list), choice->count() - 1));
        return;
    }
    auto* shown = static_cast<QListWidget*>(Widget(list));
    while (shown->count() > static_cast<int>(items.size()))
        delete shown->takeItem(shown->count() - 1);
    for (int row = 0; row < static_cast<int>(items.size()); ++row) {
        const QString text = Text(items[static_cast<std::size_t>(row)]);
        if (row == shown->count())
            shown->addItem(text);
        else if (shown->item(row)->text() != text)
            shown->item(row)->setText(text);
        const QString spoken = Text(model_.Spoken(row));
        if (shown->item(row)->data(Qt::AccessibleTextRole).toString() != spoken)
            shown->item(row)->setData(Qt::AccessibleTextRole, spoken);
    }
    shown->setCurrentRow(model_.Row(list));
}

} // namespace ui
