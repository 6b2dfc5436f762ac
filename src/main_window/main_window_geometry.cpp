#include "main_window/main_window.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>

#include "main_window/criterion_prompts.h"
#include "main_window/result_list_view.h"
#include "widgets/caption_fit.h"
#include "widgets/fonts.h"
#include "widgets/twips.h"
#include "widgets/typing_line_edit.h"

namespace dravelin {

namespace {

// The result list keeps room for a few lines however small the window.
constexpr int kSmallestListHeight = 96;
constexpr int kSmallestListWidth = 240;
// Room kept between the criteria and the prompt when the window narrows.
constexpr int kGap = 8;

} // namespace

void Main::recordDesignedLayout()
{
    // At the designed size every control sits where it was drawn; a larger or smaller window
    // moves the search band and the top-right corner with its edges and gives the difference
    // to the list, its frame and the title.
    designedClient_ = QSize(twipsToPixels(13845), twipsToPixels(6855));
    client_->resize(designedClient_);
    placements_ = {
        {titleFrame_, titleFrame_->geometry(), false, false, true, false},
        {titleLabel_, titleLabel_->geometry(), false, false, true, false},
        {authorFrame_, authorFrame_->geometry(), true, false, false, false},
        {ruleLine_, ruleLine_->geometry(), false, false, true, false},
        {listFrame_, listFrame_->geometry(), false, false, true, true},
        {headingStrip_, headingStrip_->geometry(), false, false, true, false},
        {resultList_, resultList_->geometry(), false, false, true, true},
        {searchFrame_, searchFrame_->geometry(), false, true, true, false},
        {promptLabel_, promptLabel_->geometry(), true, false, false, false},
        {queryBox_, queryBox_->geometry(), true, true, false, false},
        {expertButton_, expertButton_->geometry(), true, true, false, false},
    };

    // The smallest client area that still shows every control whole: the prompt, at its
    // longest, must not reach the criteria; the title must show; the list keeps a few lines.
    int widestPrompt = promptLabel_->width();
    for (const QString& prompt : criterionPrompts())
        widestPrompt = std::max(widestPrompt, promptLabel_->fontMetrics().horizontalAdvance(prompt));
    const int promptLeft = promptLabel_->geometry().right() + 1 - widestPrompt;
    const int narrowest =
        std::max({departmentOption_->geometry().right() + kGap - promptLeft,
                  titleLabel_->fontMetrics().horizontalAdvance(titleLabel_->text()) - titleLabel_->width(),
                  kSmallestListWidth - resultList_->width()});
    const int shortest = kSmallestListHeight - resultList_->height() + secondRowHeight();
    oneRowWidth_ = designedClient_.width() + std::min(narrowest, 0);
    // On two rows the band needs the criteria, or the prompt and the query box, whichever is
    // wider; the title gets smaller rather than cut.
    const int band =
        std::max(departmentOption_->geometry().right() + kGap,
                 searchByLabel_->x() + widestPrompt + kGap + queryBox_->width() + kGap + expertButton_->width());
    const int narrowestTwoRows =
        std::max({searchFrame_->x() + band + searchFrame_->x(), kSmallestListWidth + 2 * resultList_->x()});
    client_->setMinimumSize(std::min(narrowestTwoRows, oneRowWidth_), designedClient_.height() + std::min(shortest, 0));

    client_->installEventFilter(this);
    if (auto* list = qobject_cast<ResultListView*>(resultList_))
        connect(list, &ResultListView::textLeftChanged, this, &Main::placeHeading);
}

bool Main::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == client_ && event->type() == QEvent::Resize)
        followClientSize();
    return QMainWindow::eventFilter(watched, event);
}

void Main::followClientSize()
{
    const bool twoRows = client_->width() < oneRowWidth_;
    const int secondRow = twoRows ? secondRowHeight() : 0;
    // The list gives the search band the height of its second row.
    const QSize grown = client_->size() - designedClient_ - QSize(0, secondRow);
    for (const Placement& placement : placements_) {
        QRect place = placement.designed;
        place.translate(placement.followsRight ? grown.width() : 0, placement.followsBottom ? grown.height() : 0);
        if (placement.growsWide)
            place.setWidth(place.width() + grown.width());
        if (placement.growsTall)
            place.setHeight(place.height() + grown.height());
        placement.control->setGeometry(place);
    }
    widenToCaption(promptLabel_);
    if (twoRows)
        placeSearchOnSecondRow(secondRow);
    fitTitle();
    placeHeading();
}

int Main::secondRowHeight() const
{
    return std::max(queryBox_->height(), promptLabel_->height()) + kGap;
}

void Main::placeSearchOnSecondRow(int rowHeight)
{
    searchFrame_->setGeometry(searchFrame_->geometry().adjusted(0, 0, 0, rowHeight));
    const int rowTop = callsignOption_->y() + rowHeight; // inside the band
    QRect prompt = promptLabel_->geometry();
    prompt.moveTopLeft(QPoint(searchByLabel_->x(), rowTop));
    promptLabel_->setGeometry(prompt);
    // The query box and the Expert button stand over the band, in the window's coordinates.
    const QPoint boxTop = searchFrame_->geometry().topLeft() + QPoint(prompt.right() + 1 + kGap, rowTop);
    queryBox_->move(boxTop);
    expertButton_->move(queryBox_->geometry().right() + 1 + kGap, boxTop.y());
}

void Main::fitTitle()
{
    // The title shows whole: in a narrow window its letters get smaller.
    QFont font = msSansSerif(18, true);
    while (font.pointSizeF() > 9 && QFontMetrics(font).horizontalAdvance(titleLabel_->text()) > titleLabel_->width())
        font.setPointSizeF(font.pointSizeF() - 0.5);
    titleLabel_->setFont(font);
}

void Main::placeHeading()
{
    // The strip spans the list's text area; the heading inside it starts where the lines do.
    auto* list = qobject_cast<ResultListView*>(resultList_);
    if (!list || !headingStrip_)
        return;
    const int viewportLeft = resultList_->x() + resultList_->viewport()->geometry().left() - listFrame_->x();
    QRect strip = headingStrip_->geometry();
    strip.setLeft(viewportLeft);
    strip.setWidth(resultList_->viewport()->width());
    headingStrip_->setGeometry(strip);
    const int textLeft = resultList_->x() + list->textLeft() - listFrame_->x() - strip.left();
    listHeading_->setGeometry(textLeft, 0, std::max(listHeading_->sizeHint().width(), strip.width()), strip.height());
}

void Main::fitToScreen()
{
    // The designed size, unless the screen is smaller: then the largest size that fits, the
    // list giving up room first.
    const QSize wanted(designedClient_.width(), designedClient_.height() + menuBar()->sizeHint().height());
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        resize(wanted);
        return;
    }
    QSize frame = frameGeometry().size() - size();
    if (frame.width() <= 0 || frame.height() <= 0) // not known before the window is shown
        frame = QSize(2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8,
                      style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8);
    resize(wanted.boundedTo(screen->availableGeometry().size() - frame));
}

} // namespace dravelin
