#include "main_window/main_window.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QShortcut>

#include "edit_window/ajout_indicatif.h" // Main owns the editing window
#include "main_window/criterion_button.h"
#include "main_window/criterion_prompts.h"
#include "main_window/keyboard_menu_bar.h"
#include "main_window/result_list_model.h"
#include "main_window/result_list_view.h"
#include "platform/platform.h"
#include "shared/sous_programmes.h"
#include "widgets/caption_fit.h"
#include "widgets/colours.h"
#include "widgets/fonts.h"
#include "widgets/named_control.h"
#include "widgets/spoken_notice.h"
#include "widgets/twips.h"
#include "widgets/typing_line_edit.h"

namespace dravelin {

namespace {

QGroupBox* frame(QWidget* parent, const char* objectName, const QString& accessibleName, const QRect& geometry)
{
    return named(new QGroupBox(parent), objectName, accessibleName, geometry);
}

// A label is read by its caption, which changes: it gets no fixed accessible name.
QLabel* label(QWidget* parent, const char* objectName, const QString& caption, const QRect& geometry,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* control = new QLabel(caption, parent);
    control->setObjectName(QString::fromLatin1(objectName));
    control->setGeometry(geometry);
    control->setAlignment(alignment);
    return control;
}

} // namespace

Main::Main(Platform& platform, Sous_Programmes& shared, QWidget* parent)
    : QMainWindow(parent), platform_(platform), shared_(shared)
{
    setObjectName(QStringLiteral("Main"));
    setAccessibleName(QStringLiteral("Annuaire des radioamateurs Français"));
    buildControls();
    buildMenus();
    connectControls();
    connectOutputMenus();
    connectLabelMenu();
    connectHelpMenu();
    connectExpert();
}

Main::~Main() = default;

void Main::buildControls()
{
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("Main_client"));
    client_->resize(twipsToPixels(13845), twipsToPixels(6855));
    client_->setFont(msSansSerif(8));
    // Below its smallest layout the client area scrolls rather than hiding controls.
    auto* scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("Main_defilement"));
    scroller->setFrameShape(QFrame::NoFrame);
    // It only holds the controls: Tab must not stop on it, where nothing is shown or spoken.
    scroller->setFocusPolicy(Qt::NoFocus);
    // Never sideways as a whole: a narrow window puts the search band on two rows instead,
    // and only the list's long lines scroll sideways.
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setWidgetResizable(true);
    scroller->setWidget(client_);
    setCentralWidget(scroller);

    revisionFrame_ = frame(client_, "Frame4", QStringLiteral("Révision de l'annuaire"), twipsRect(120, 120, 1575, 855));
    revisionLabel_ = label(revisionFrame_, "Num_Rev", QStringLiteral("Base Rev 255 "), twipsRect(120, 240, 1335, 255),
                           Qt::AlignCenter);
    revisionDateLabel_ = label(revisionFrame_, "Date_Rev", QStringLiteral("du 11/08/2009"),
                               twipsRect(120, 480, 1335, 255), Qt::AlignCenter);

    titleFrame_ = frame(client_, "Frame1", QStringLiteral("Titre"), twipsRect(1800, 120, 10455, 855));
    titleLabel_ = label(titleFrame_, "Label2", QStringLiteral("Annuaire des radioamateurs Français"),
                        twipsRect(120, 240, 10095, 375), Qt::AlignCenter);
    titleLabel_->setFont(msSansSerif(18, true));

    authorFrame_ = frame(client_, "Frame5", QStringLiteral("Auteur"), twipsRect(12360, 120, 1335, 855));
    copyrightLabel_ =
        label(authorFrame_, "Label1", QStringLiteral("© 2010"), twipsRect(120, 240, 1095, 495), Qt::AlignCenter);
    copyrightLabel_->setFont(msSansSerif(13.5, true));
    copyrightLabel_->setEnabled(false);

    ruleLine_ = named(new QFrame(client_), "Line1", QStringLiteral("Filet"),
                      QRect(twipsToPixels(120), 0, twipsToPixels(13680 - 120), 1));
    ruleLine_->setFrameShape(QFrame::HLine);
    ruleLine_->setFrameShadow(QFrame::Plain);

    listFrame_ = frame(client_, "Frame3", QStringLiteral("Liste des indicatifs"), twipsRect(120, 1080, 13575, 4935));
    // The heading stands in a strip over the list's text, in the list's fixed-pitch face, so
    // that its words stay over their columns, also when the lines scroll sideways.
    headingStrip_ = new QWidget(listFrame_);
    headingStrip_->setObjectName(QStringLiteral("Titre_Bande"));
    headingStrip_->setGeometry(twipsRect(360, 240, 12855, 255));
    listHeading_ =
        label(headingStrip_, "Titre", QString(), QRect(QPoint(0, 0), twipsRect(360, 240, 12855, 255).size()));
    listHeading_->setFont(letterGothic(9));

    resultModel_ = new ResultListModel(this);
    resultList_ =
        named(new ResultListView(client_), "Liste_OM", QStringLiteral("Résultats"), twipsRect(360, 1680, 13095, 4110));
    resultList_->setModel(resultModel_);
    resultList_->setUniformItemSizes(true);
    resultList_->setSelectionMode(QAbstractItemView::SingleSelection);
    resultList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultList_->setFont(letterGothic(9));
    setBackgroundColour(resultList_, kFieldDoneColour);
    setSelectionColours(resultList_);

    searchFrame_ = frame(client_, "Frame2", QStringLiteral("Recherche"), twipsRect(120, 6000, 13575, 735));
    searchByLabel_ = label(searchFrame_, "Label3", QStringLiteral("Recherche par : "), twipsRect(240, 240, 1695, 255),
                           Qt::AlignRight | Qt::AlignVCenter);
    searchByLabel_->setFont(msSansSerif(9.75));

    callsignOption_ = named(new CriterionButton(QStringLiteral("Indi&catif"), searchFrame_), "Option1",
                            QStringLiteral("Indicatif"), twipsRect(2040, 240, 975, 255));
    surnameOption_ = named(new CriterionButton(QStringLiteral("&Nom"), searchFrame_), "Option2", QStringLiteral("Nom"),
                           twipsRect(3120, 240, 975, 255));
    cityOption_ = named(new CriterionButton(QStringLiteral("&Ville"), searchFrame_), "Option3", QStringLiteral("Ville"),
                        twipsRect(4200, 240, 975, 255));
    departmentOption_ = named(new CriterionButton(QStringLiteral("&Département"), searchFrame_), "Option4",
                              QStringLiteral("Département"), twipsRect(5280, 240, 1215, 255));
    auto* criteria = new QButtonGroup(this);
    for (QRadioButton* option : {callsignOption_, surnameOption_, cityOption_, departmentOption_})
        criteria->addButton(option);
    callsignOption_->setChecked(true);

    promptLabel_ = label(searchFrame_, "Label_Recherche", QStringLiteral("Entrez un indicatif"),
                         twipsRect(7080, 240, 2535, 255), Qt::AlignRight | Qt::AlignVCenter);
    promptLabel_->setFont(msSansSerif(9.75));

    queryBox_ =
        named(new TypingLineEdit(client_), "Libelle", QStringLiteral("Requête"), twipsRect(9960, 6240, 2895, 285));
    queryBox_->setToolTip(QStringLiteral("Entrez une information puis \"Entrée\""));
    queryBox_->setAccessibleDescription(queryBox_->toolTip());
    setBackgroundColour(queryBox_, kFieldOpenColour);

    expertButton_ = named(new QPushButton(QStringLiteral("Expert"), client_), "Expert", QStringLiteral("Expert"),
                          twipsRect(12960, 6240, 615, 375));
    expertButton_->setAutoDefault(true); // Entrée presses it when it has the focus, as Space does
    expertButton_->setVisible(false);

    notice_ = new SpokenNotice(client_);

    widenToCaptions(client_);
    recordDesignedLayout();

    // The list and the query box sit over their frames, not inside them.
    resultList_->raise();
    queryBox_->raise();
    expertButton_->raise();

    setTabOrder(queryBox_, resultList_);
    setTabOrder(resultList_, expertButton_);
    setTabOrder(expertButton_, callsignOption_);
    setTabOrder(callsignOption_, surnameOption_);
    setTabOrder(surnameOption_, cityOption_);
    setTabOrder(cityOption_, departmentOption_);
    queryBox_->setFocus();
}

void Main::buildMenus()
{
    // Every menu has an access key and the frequent commands their usual shortcuts, so that
    // nothing needs the mouse.
    menuBar_ = new KeyboardMenuBar(this);
    setMenuBar(menuBar_);
    menuBar_->setObjectName(QStringLiteral("Barre_Menus"));

    fileMenu_ = menuBar_->addMenu(QStringLiteral("&Fichiers"));
    fileMenu_->setObjectName(QStringLiteral("Mnu_Fichier"));
    quitAction_ = fileMenu_->addAction(QStringLiteral("&Quitter Dravelin"));
    quitAction_->setObjectName(QStringLiteral("Mnu_Quitter"));
    quitAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    printListAction_ = menuBar_->addAction(QStringLiteral("&Imprimer la liste"));
    printListAction_->setObjectName(QStringLiteral("Mnu_Imprimer"));
    printListAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));

    saveMenu_ = menuBar_->addMenu(QStringLiteral("&Enregistrer la liste"));
    saveMenu_->setObjectName(QStringLiteral("Mnu_Enregistrer"));
    saveTextAction_ = saveMenu_->addAction(QStringLiteral("au format &txt"));
    saveTextAction_->setObjectName(QStringLiteral("Mnu_Enregistrer_txt"));
    saveCsvAction_ = saveMenu_->addAction(QStringLiteral("au format &csv"));
    saveCsvAction_->setObjectName(QStringLiteral("Mnu_Enregistrer_csv"));
#ifdef DRAVELIN_SPREADSHEET
    saveSpreadsheetAction_ = saveMenu_->addAction(QStringLiteral("au format ta&bleur"));
    saveSpreadsheetAction_->setObjectName(QStringLiteral("Mnu_Enregistrer_tableur"));
#endif

    // A command on the bar itself, as "Imprimer la liste"; T is the one letter of its
    // caption that no other entry of the bar uses.
    printLabelsAction_ = menuBar_->addAction(QStringLiteral("Imprimer des é&tiquettes"));
    printLabelsAction_->setObjectName(QStringLiteral("Mnu_Etiquettes"));

    helpMenu_ = menuBar_->addMenu(QStringLiteral("&Aide"));
    helpMenu_->setObjectName(QStringLiteral("Mnu_Aide"));
    historyAction_ = helpMenu_->addAction(QStringLiteral("&Historique"));
    historyAction_->setObjectName(QStringLiteral("Mnu_Historique"));
    manualAction_ = helpMenu_->addAction(QStringLiteral("&Mode d'emploi"));
    manualAction_->setObjectName(QStringLiteral("Mnu_Notice"));
    manualAction_->setShortcut(QKeySequence(Qt::Key_F1));
    aboutAction_ = helpMenu_->addAction(QStringLiteral("A &Propos"));
    aboutAction_->setObjectName(QStringLiteral("Mnu_Apropos"));
}

void Main::quitProgram()
{
    if (editingWindow_ && editingWindow_->isVisible()) {
        if (auto* quitter = editingWindow_->findChild<QPushButton*>(QStringLiteral("Quitter")))
            quitter->click();
        // Still open: the directory could not be read or rewritten, and the user was told.
        if (editingWindow_->isVisible())
            return;
    }
    close();
}

void Main::connectControls()
{
    connect(quitAction_, &QAction::triggered, this, &Main::quitProgram);
    // F10 walks the menu bar from the keyboard, as Alt and the access keys do.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, menuBar_, &KeyboardMenuBar::enterFromKeyboard);

    const QStringList prompts = criterionPrompts();
    QRadioButton* const options[] = {callsignOption_, surnameOption_, cityOption_, departmentOption_};
    for (int i = 0; i < 4; ++i) {
        QRadioButton* const option = options[i];
        const QString& prompt = prompts[i];
        // A click, an arrow key and a screen reader's action all choose the criterion; the
        // last two select the button without a click.
        connect(option, &QRadioButton::clicked, this, [this, prompt = prompt] { selectCriterion(prompt); });
        connect(option, &QRadioButton::toggled, this, [this, prompt = prompt](bool on) {
            if (on)
                selectCriterion(prompt);
        });
        connect(static_cast<CriterionButton*>(option), &CriterionButton::chosenByKey, queryBox_,
                [this] { queryBox_->setFocus(Qt::OtherFocusReason); });
    }
    connect(queryBox_, &TypingLineEdit::enterPressed, this, &Main::queryEntered);

    connect(&shared_, &Sous_Programmes::resultListInvalidated, resultModel_, &ResultListModel::clear);
    connect(&shared_, &Sous_Programmes::revisionChanged, this, [this](const QString& label, const QString& dateText) {
        revisionLabel_->setText(label);
        revisionDateLabel_->setText(dateText);
    });
}

} // namespace dravelin
