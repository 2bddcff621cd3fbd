#include "TaskbarView.h"

#include "OverflowButton.h"
#include "ShowDesktopStrip.h"
#include "StartButton.h"
#include "core/features/taskbar/TaskbarViewModel.h"
#include "core/services/PreferencesStore.h"
#include "ui/views/flyout/FlyoutBinding.h"
#include "ui/views/previews/WindowPreviewsView.h"

#include <QBoxLayout>
#include <QLabel>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>

#include <algorithm>
#include <cmath>

namespace {

constexpr int rowSpacing = 4;
constexpr int trayEndPadding = 18;

QBoxLayout::Direction axis(bool vertical)
{
    return vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight;
}

int lengthOf(const QSize& size, bool vertical)
{
    return vertical ? size.height() : size.width();
}

} // namespace

TaskbarView::TaskbarView(TaskbarViewModel& model, PreferencesStore& preferences, Actions actions, QWidget* parent)
    : QWidget(parent), m_model(model), m_preferences(preferences), m_actions(std::move(actions))
{
    setAcceptDrops(true);
    m_outer = new QBoxLayout(QBoxLayout::LeftToRight, this);
    m_outer->setContentsMargins(0, 0, 0, 0);
    m_outer->setSpacing(0);
    // The bar's size is the window's; what the buttons would like must never push it wider.
    m_outer->setSizeConstraint(QLayout::SetNoConstraint);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    rebuild();

    connect(&m_model, &TaskbarViewModel::itemsChanged, this, &TaskbarView::rebuildButtons);
    connect(&m_model, &TaskbarViewModel::layoutChanged, this, &TaskbarView::rebuildButtons);
    // Settings arrive before the store holds them; rebuild once the assignment is complete.
    const auto later = [this] { QMetaObject::invokeMethod(this, &TaskbarView::rebuild, Qt::QueuedConnection); };
    connect(&m_preferences, &PreferencesStore::activeIndicatorChanged, this, later);
    connect(&m_preferences, &PreferencesStore::positionChanged, this, later);
    connect(&m_preferences, &PreferencesStore::menuButtonPlacementChanged, this, later);
    connect(&m_preferences, &PreferencesStore::startButtonLabelChanged, this, later);
    connect(&m_preferences, &PreferencesStore::showDesktopEnabledChanged, this, later);
    connect(&m_preferences, &PreferencesStore::highlightStyleChanged, this, later);
    connect(&m_preferences, &PreferencesStore::iconPaddingChanged, this, later);
    connect(&m_preferences, &PreferencesStore::showRunningIndicatorsChanged, this, later);
    connect(&m_preferences, &PreferencesStore::showAppLabelsChanged, this, later);
    const auto previewsLater = [this] {
        QMetaObject::invokeMethod(this, &TaskbarView::updatePreviewConfigs, Qt::QueuedConnection);
    };
    connect(&m_preferences, &PreferencesStore::windowPreviewsEnabledChanged, this, previewsLater);
    connect(&m_preferences, &PreferencesStore::windowPreviewsMultipleOnlyChanged, this, previewsLater);
}

QList<AppIconView*> TaskbarView::appButtons() const
{
    return m_order;
}

OverflowButton* TaskbarView::overflowButton() const
{
    return m_overflow && m_overflow->isVisible() ? m_overflow.data() : nullptr;
}

FlyoutEnvironment TaskbarView::flyoutEnvironment() const
{
    return m_actions.flyoutEnvironment ? m_actions.flyoutEnvironment() : FlyoutEnvironment{};
}

BarEnvironment TaskbarView::environment() const
{
    return {m_preferences.position(),          m_preferences.iconPadding(),
            m_preferences.highlightStyle(),    m_preferences.activeIndicator(),
            m_preferences.showRunningIndicators(), m_preferences.showAppLabels()};
}

StartButton* TaskbarView::makeStartButton(const QMargins& insets)
{
    auto* button = new StartButton(m_preferences.startButtonLabel(), insets, environment());
    connect(button, &QAbstractButton::clicked, this, [this] {
        if (m_actions.startButtonTapped)
            m_actions.startButtonTapped();
    });
    return button;
}

// Lays the whole bar out again; the settings that shape it changed.
void TaskbarView::rebuild()
{
    const BarEnvironment env = environment();
    const bool vertical = env.isVertical();
    const MenuButtonPlacement placement = m_preferences.menuButtonPlacement();

    for (AppIconView* button : std::as_const(m_order))
        button->setParent(nullptr);
    delete m_overflow;
    while (QLayoutItem* child = m_outer->takeAt(0)) {
        delete child->widget();
        delete child;
    }
    m_outer->setDirection(axis(vertical));

    auto* row = new QWidget;
    row->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_row = new QBoxLayout(axis(vertical), row);
    m_row->setSpacing(rowSpacing);
    const int startPadding = vertical && placement != MenuButtonPlacement::Start ? 15 : 0;
    m_row->setContentsMargins(vertical ? 0 : startPadding, vertical ? startPadding : 0, 0, 0);
    m_outer->addWidget(row, 1);

    m_startButton = nullptr;
    if (placement == MenuButtonPlacement::Start) {
        m_startButton = makeStartButton(vertical ? QMargins(0, 18, 0, 18) : QMargins(12, 0, 12, 0));
        m_row->addWidget(m_startButton);
    }
    m_firstButtonIndex = m_row->count();
    for (AppIconView* button : std::as_const(m_order)) {
        button->setEnvironment(env);
        m_row->addWidget(button);
    }
    m_overflow = new OverflowButton(m_model.layout().iconSize, m_actions.requestIcon, flyoutEnvironment());
    m_overflow->setIconSize(m_model.layout().iconSize, vertical);
    connect(m_overflow, &OverflowButton::itemOpened, this, [this](const TaskbarItem& item) { m_model.open(item); });
    connect(m_overflow, &OverflowButton::menuRequested, this, &TaskbarView::showMenu);
    m_row->addWidget(m_overflow);
    m_row->addStretch(1);
    if (placement == MenuButtonPlacement::BeforeTray) {
        m_startButton = makeStartButton(vertical ? QMargins(0, 16, 0, 16) : QMargins(12, 0, 12, 0));
        m_row->addWidget(m_startButton);
        m_row->addSpacing(6);
    }
    m_tray = new QWidget;
    auto* trayLayout = new QBoxLayout(axis(vertical), m_tray);
    trayLayout->setSpacing(rowSpacing);
    trayLayout->setContentsMargins(0, 0, 0, vertical ? trayEndPadding : 0);
    m_row->addWidget(m_tray);
    if (placement == MenuButtonPlacement::AfterTray) {
        m_startButton = makeStartButton(vertical ? QMargins(0, 18, 0, 18) : QMargins(16, 0, 16, 0));
        m_row->addWidget(m_startButton);
    }

    m_strip = nullptr;
    if (m_preferences.showDesktopEnabled()) {
        m_strip = new ShowDesktopStrip(vertical);
        connect(m_strip, &QAbstractButton::clicked, this, [this] {
            if (m_actions.showDesktop)
                m_actions.showDesktop();
        });
        m_outer->addWidget(m_strip);
    }
    rebuildButtons();
    updateLength();
}

// Buttons are kept per application, so an application that stays keeps its widget and icon.
void TaskbarView::rebuildButtons()
{
    const QList<TaskbarItem> visible = m_model.visibleItems();
    const double size = m_model.layout().iconSize;
    QHash<QString, AppIconView*> previous = std::exchange(m_buttons, {});
    for (AppIconView* button : std::as_const(m_order))
        m_row->removeWidget(button);
    m_order.clear();
    int index = m_firstButtonIndex;
    for (const TaskbarItem& item : visible) {
        AppIconView* button = previous.take(item.bundleID);
        if (!button)
            button = makeButton(item);
        button->setItem(item);
        button->setPreviewConfig(previewConfig(item));
        button->setIconSize(size);
        button->setEnvironment(environment());
        button->setDimmed(m_draggingItem == item.bundleID);
        m_row->insertWidget(index++, button);
        button->show();
        m_buttons.insert(item.bundleID, button);
        m_order.append(button);
    }
    for (AppIconView* gone : std::as_const(previous))
        gone->deleteLater();
    updateOverflowButton(index);
}

// The chevron follows the last visible button and exists only while something overflows.
void TaskbarView::updateOverflowButton(int index)
{
    if (!m_overflow)
        return;
    const LayoutOutput layout = m_model.layout();
    m_overflow->setItems(m_model.overflowItems());
    m_overflow->setIconSize(layout.iconSize, environment().isVertical());
    m_overflow->setEnvironment(flyoutEnvironment());
    m_row->removeWidget(m_overflow);
    m_row->insertWidget(index, m_overflow);
    m_overflow->setVisible(layout.overflowCount >= 1);
}

void TaskbarView::showNameLabel(AppIconView* button, bool shown)
{
    static const QString name = QStringLiteral("nameLabel");
    auto* binding = button->findChild<FlyoutBinding*>(name, Qt::FindDirectChildrenOnly);
    if (!binding && !shown)
        return;
    if (!binding) {
        const FlyoutOptions options{false, true};
        binding = new FlyoutBinding(button, flyoutEnvironment(), options, [button]() -> std::unique_ptr<QWidget> {
            auto label = std::make_unique<QLabel>(button->item().name);
            label->setContentsMargins(10, 6, 10, 6);
            return label;
        });
        binding->setObjectName(name);
    }
    binding->setEnvironment(flyoutEnvironment());
    binding->setPresented(shown);
}

std::optional<WindowPreviewConfig> TaskbarView::previewConfig(const TaskbarItem& item) const
{
    if (!m_preferences.windowPreviewsEnabled() || !item.isRunning || !m_actions.windowsOf)
        return std::nullopt;
    WindowPreviewConfig config;
    config.appName = item.name;
    config.windows = [windowsOf = m_actions.windowsOf, bundleID = item.bundleID] { return windowsOf(bundleID); };
    config.shouldShow = [windows = config.windows, multipleOnly = m_preferences.windowPreviewsMultipleOnly()] {
        return !multipleOnly || windows().size() > 1;
    };
    config.thumbnail = m_actions.thumbnail;
    config.onSelect = m_actions.selectWindow;
    config.onCommand = m_actions.windowCommand;
    config.thumbnailsShown = m_actions.thumbnailsShown;
    return config;
}

void TaskbarView::updatePreviewConfigs()
{
    for (AppIconView* button : std::as_const(m_order))
        button->setPreviewConfig(previewConfig(button->item()));
}

// The name label and the previews are separate flyouts of the button, told apart by name.
void TaskbarView::showPreviews(AppIconView* button, bool shown)
{
    static const QString name = QStringLiteral("previews");
    auto* binding = button->findChild<FlyoutBinding*>(name, Qt::FindDirectChildrenOnly);
    if (!binding && !shown)
        return;
    if (!binding) {
        const FlyoutOptions options{false, false};
        binding = new FlyoutBinding(button, flyoutEnvironment(), options, [this, button]() -> std::unique_ptr<QWidget> {
            const FlyoutEnvironment env = flyoutEnvironment();
            return std::make_unique<WindowPreviewsView>(button->previewConfig().value_or(WindowPreviewConfig{}),
                                                        env.position, env.style.isSquare,
                                                        [button](bool inside) { button->setPreviewHovered(inside); });
        });
        binding->setObjectName(name);
        connect(binding, &FlyoutBinding::presentedChanged, button, [button](bool presented) {
            if (!presented)
                button->previewsDismissed();
        });
    }
    binding->setEnvironment(flyoutEnvironment());
    binding->setPresented(shown);
}

AppIconView* TaskbarView::makeButton(const TaskbarItem& item)
{
    auto* button = new AppIconView(item, m_model.layout().iconSize, environment(), m_actions.requestIcon);
    connect(button, &AppIconView::activated, this, [this](const TaskbarItem& clicked) { m_model.open(clicked); });
    connect(button, &AppIconView::menuRequested, this, &TaskbarView::showMenu);
    connect(button, &AppIconView::dragStarted, this, [this](const TaskbarItem& dragged) {
        m_draggingItem = dragged.bundleID;
        if (AppIconView* source = m_buttons.value(dragged.bundleID))
            source->setDimmed(true);
    });
    connect(button, &AppIconView::dropped, this, &TaskbarView::handleReorderDrop);
    connect(button, &AppIconView::nameLabelWanted, this, [this, button](bool shown) { showNameLabel(button, shown); });
    connect(button, &AppIconView::previewsWanted, this, [this, button](bool shown) { showPreviews(button, shown); });
    return button;
}

void TaskbarView::handleReorderDrop(const QString& dragged, const TaskbarItem& onto)
{
    if (!m_draggingItem)
        return;
    const QString moving = *m_draggingItem;
    m_draggingItem.reset();
    if (AppIconView* source = m_buttons.value(moving))
        source->setDimmed(false);
    if (moving == dragged)
        m_model.reorderPinned(moving, onto.bundleID);
}

int TaskbarView::reservedLength() const
{
    const bool vertical = environment().isVertical();
    int reserved = m_tray ? lengthOf(m_tray->sizeHint(), vertical) : 0;
    if (m_startButton)
        reserved += lengthOf(m_startButton->sizeHint(), vertical);
    return reserved;
}

double TaskbarView::availableLength(double barLength, int reserved, bool hasLabel, bool showDesktopStrip)
{
    // Until anything is measured, a guess at the Start button's length.
    const double taken = reserved > 0 ? reserved : (hasLabel ? 120 : 52);
    const double strip = showDesktopStrip ? 14 : 0;
    return std::max(0.0, barLength - taken - strip - 12);
}

void TaskbarView::updateLength()
{
    const bool vertical = environment().isVertical();
    m_model.setAvailableWidth(availableLength(lengthOf(size(), vertical), reservedLength(),
                                              !m_preferences.startButtonLabel().isEmpty(),
                                              m_preferences.showDesktopEnabled()));
}

void TaskbarView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateLength();
}

void TaskbarView::showMenu(const TaskbarItem& item, const QPoint& globalPosition)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto add = [&](const QString& title, std::function<void()> action) {
        connect(menu->addAction(title), &QAction::triggered, this, std::move(action));
    };
    add(QStringLiteral("Open"), [this, item] { m_model.open(item); });
    if (item.url)
        add(QStringLiteral("New Window"), [this, item] { m_model.openNewWindow(item); });
    if (item.isRunning && item.bundleID != m_model.fileManagerID())
        add(QStringLiteral("Quit"), [this, item] { m_model.quit(item); });
    if (item.isPinned)
        add(QStringLiteral("Unpin"), [this, item] { m_model.unpin(item.bundleID); });
    else
        add(QStringLiteral("Pin to Taskbar"), [this, item] { m_model.pin(item.bundleID); });
    add(QStringLiteral("Show in Finder"), [this, item] { m_model.showInFinder(item); });
    if (m_preferences.showShortcutsInMenu()) {
        menu->addSection(QStringLiteral("Shortcuts"));
        for (const PinnedShortcut& shortcut : m_model.pinnedShortcuts(item))
            add(shortcut.name, [this, shortcut, item] { m_model.openShortcut(shortcut, item); });
        add(QStringLiteral("Manage shortcuts…"), [this, item] { m_model.manageShortcuts(item); });
    }
    emit menuShown(menu);
    menu->popup(globalPosition);
}

QString TaskbarView::desktopFileId(const QString& path)
{
    const QString marker = QStringLiteral("/applications/");
    const qsizetype at = path.lastIndexOf(marker);
    QString id = at >= 0 ? path.mid(at + marker.size()).replace(u'/', u'-') : QFileInfo(path).fileName();
    if (id.endsWith(QLatin1String(".desktop")))
        id.chop(int(qstrlen(".desktop")));
    return id;
}

void TaskbarView::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    const bool hasEntry = std::any_of(urls.begin(), urls.end(), [](const QUrl& url) {
        return url.isLocalFile() && url.toLocalFile().endsWith(QLatin1String(".desktop"));
    });
    if (hasEntry)
        event->acceptProposedAction();
}

// A desktop entry dropped from a file manager pins its application.
void TaskbarView::dropEvent(QDropEvent* event)
{
    bool pinned = false;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile() || !url.toLocalFile().endsWith(QLatin1String(".desktop")))
            continue;
        const QString id = desktopFileId(url.toLocalFile());
        if (!id.isEmpty()) {
            m_model.pin(id);
            pinned = true;
        }
    }
    if (pinned)
        event->acceptProposedAction();
}
