#include "ui/navigator.h"

#include "store/query.h"
#include "store/table.h"
#include "ui/errorhandler.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace ui {

namespace {

class TableTarget : public NavigationTarget {
public:
    explicit TableTarget(store::Table& table) : table_(table) {}
    void first() override { table_.first(); }
    void prior() override { table_.prior(); }
    void next() override { table_.next(); }
    void last() override { table_.last(); }
    bool bof() const override { return table_.bof(); }
    bool eof() const override { return table_.eof(); }
    bool isEmpty() const override { return !table_.isOpen() || table_.isEmpty(); }

private:
    store::Table& table_;
};

class QueryTarget : public NavigationTarget {
public:
    explicit QueryTarget(store::Query& query) : query_(query) {}
    void first() override { query_.first(); }
    void prior() override { query_.prior(); }
    void next() override { query_.next(); }
    void last() override { query_.last(); }
    bool bof() const override { return query_.bof(); }
    bool eof() const override { return query_.eof(); }
    bool isEmpty() const override { return !query_.isOpen() || query_.isEmpty(); }

private:
    store::Query& query_;
};

}  // namespace

std::unique_ptr<NavigationTarget> tableTarget(store::Table& table) {
    return std::make_unique<TableTarget>(table);
}

std::unique_ptr<NavigationTarget> queryTarget(store::Query& query) {
    return std::make_unique<QueryTarget>(query);
}

Navigator::Navigator(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    first_ = addButton("FirstButton", tr("First record"), QStyle::SP_MediaSkipBackward);
    prior_ = addButton("PriorButton", tr("Prior record"), QStyle::SP_MediaSeekBackward);
    next_ = addButton("NextButton", tr("Next record"), QStyle::SP_MediaSeekForward);
    last_ = addButton("LastButton", tr("Last record"), QStyle::SP_MediaSkipForward);
    connect(first_, &QToolButton::clicked, this, [this] { move(&NavigationTarget::first); });
    connect(prior_, &QToolButton::clicked, this, [this] { move(&NavigationTarget::prior); });
    connect(next_, &QToolButton::clicked, this, [this] { move(&NavigationTarget::next); });
    connect(last_, &QToolButton::clicked, this, [this] { move(&NavigationTarget::last); });
    updateButtons();
}

Navigator::~Navigator() = default;

QToolButton* Navigator::addButton(const char* name, const QString& tip, int icon) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setIcon(style()->standardIcon(static_cast<QStyle::StandardPixmap>(icon)));
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::NoFocus);
    layout()->addWidget(button);
    return button;
}

void Navigator::setTable(store::Table* table) {
    setTarget(table ? tableTarget(*table) : nullptr);
}

void Navigator::setQuery(store::Query* query) {
    setTarget(query ? queryTarget(*query) : nullptr);
}

void Navigator::setTarget(std::unique_ptr<NavigationTarget> target) {
    target_ = std::move(target);
    updateButtons();
}

void Navigator::setEnabledAll(bool enabled) {
    enabledAll_ = enabled;
    updateButtons();
}

void Navigator::updateButtons() {
    const bool any = enabledAll_ && target_ && !target_->isEmpty();
    const bool atStart = !any || target_->bof();
    const bool atEnd = !any || target_->eof();
    first_->setEnabled(!atStart);
    prior_->setEnabled(!atStart);
    next_->setEnabled(!atEnd);
    last_->setEnabled(!atEnd);
}

void Navigator::move(void (NavigationTarget::*step)()) {
    if (!target_)
        return;
    const bool ok = guarded(window(), [&] { (target_.get()->*step)(); });
    updateButtons();
    if (ok)
        emit moved();
}

}  // namespace ui
