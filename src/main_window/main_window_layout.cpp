#include "main_window/main_window.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QScrollArea>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
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

    Frame4 = frame(client_, "Frame4", QStringLiteral("Révision de l'annuaire"), twipsRect(120, 120, 1575, 855));
    Num_Rev = label(Frame4, "Num_Rev", QStringLiteral("Base Rev 255 "), twipsRect(120, 240, 1335, 255), Qt::AlignCenter);
    Date_Rev = label(Frame4, "Date_Rev", QStringLiteral("du 11/08/2009"), twipsRect(120, 480, 1335, 255), Qt::AlignCenter);

    Frame1 = frame(client_, "Frame1", QStringLiteral("Titre"), twipsRect(1800, 120, 10455, 855));
    Label2 = label(Frame1, "Label2", QStringLiteral("Annuaire des radioamateurs Français"),
                   twipsRect(120, 240, 10095, 375), Qt::AlignCenter);
    Label2->setFont(msSansSerif(18, true));

    Frame5 = frame(client_, "Frame5", QStringLiteral("Auteur"), twipsRect(12360, 120, 1335, 855));
    Label1 = label(Frame5, "Label1", QStringLiteral("© 2010"), twipsRect(120, 240, 1095, 495), Qt::AlignCenter);
    Label1->setFont(msSansSerif(13.5, true));
    Label1->setEnabled(false);

    Line1 = named(new QFrame(client_), "Line1", QStringLiteral("Filet"),
                  QRect(twipsToPixels(120), 0, twipsToPixels(13680 - 120), 1));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Plain);

    Frame3 = frame(client_, "Frame3", QStringLiteral("Liste des indicatifs"), twipsRect(120, 1080, 13575, 4935));
    // The heading stands in a strip over the list's text, in the list's fixed-pitch face, so
    // that its words stay over their columns, also when the lines scroll sideways.
    headingStrip_ = new QWidget(Frame3);
    headingStrip_->setObjectName(QStringLiteral("Titre_Bande"));
    headingStrip_->setGeometry(twipsRect(360, 240, 12855, 255));
    Titre = label(headingStrip_, "Titre", QString(), QRect(QPoint(0, 0), twipsRect(360, 240, 12855, 255).size()));
    Titre->setFont(letterGothic(9));

    resultModel_ = new ResultListModel(this);
    Liste_OM = named(new ResultListView(client_), "Liste_OM", QStringLiteral("Résultats"), twipsRect(360, 1680, 13095, 4110));
    Liste_OM->setModel(resultModel_);
    Liste_OM->setUniformItemSizes(true);
    Liste_OM->setSelectionMode(QAbstractItemView::SingleSelection);
    Liste_OM->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Liste_OM->setFont(letterGothic(9));
    setBackgroundColour(Liste_OM, kFieldDoneColour);
    setSelectionColours(Liste_OM);

    Frame2 = frame(client_, "Frame2", QStringLiteral("Recherche"), twipsRect(120, 6000, 13575, 735));
    Label3 = label(Frame2, "Label3", QStringLiteral("Recherche par : "), twipsRect(240, 240, 1695, 255),
                   Qt::AlignRight | Qt::AlignVCenter);
    Label3->setFont(msSansSerif(9.75));

    Option1 = named(new CriterionButton(QStringLiteral("Indi&catif"), Frame2), "Option1", QStringLiteral("Indicatif"),
                    twipsRect(2040, 240, 975, 255));
    Option2 = named(new CriterionButton(QStringLiteral("&Nom"), Frame2), "Option2", QStringLiteral("Nom"),
                    twipsRect(3120, 240, 975, 255));
    Option3 = named(new CriterionButton(QStringLiteral("&Ville"), Frame2), "Option3", QStringLiteral("Ville"),
                    twipsRect(4200, 240, 975, 255));
    Option4 = named(new CriterionButton(QStringLiteral("&Département"), Frame2), "Option4", QStringLiteral("Département"),
                    twipsRect(5280, 240, 1215, 255));
    auto* criteria = new QButtonGroup(this);
    for (QRadioButton* option : {Option1, Option2, Option3, Option4})
        criteria->addButton(option);
    Option1->setChecked(true);

    Label_Recherche = label(Frame2, "Label_Recherche", QStringLiteral("Entrez un indicatif"),
                            twipsRect(7080, 240, 2535, 255), Qt::AlignRight | Qt::AlignVCenter);
    Label_Recherche->setFont(msSansSerif(9.75));

    Libelle = named(new TypingLineEdit(client_), "Libelle", QStringLiteral("Requête"), twipsRect(9960, 6240, 2895, 285));
    Libelle->setToolTip(QStringLiteral("Entrez une information puis \"Entrée\""));
    Libelle->setAccessibleDescription(Libelle->toolTip());
    setBackgroundColour(Libelle, kFieldOpenColour);

    Expert = named(new QPushButton(QStringLiteral("Expert"), client_), "Expert", QStringLiteral("Expert"),
                   twipsRect(12960, 6240, 615, 375));
    Expert->setAutoDefault(true); // Entrée presses it when it has the focus, as Space does
    Expert->setVisible(false);

    notice_ = new SpokenNotice(client_);

    widenToCaptions(client_);
    recordDesignedLayout();

    // The list and the query box sit over their frames, not inside them.
    Liste_OM->raise();
    Libelle->raise();
    Expert->raise();

    setTabOrder(Libelle, Liste_OM);
    setTabOrder(Liste_OM, Expert);
    setTabOrder(Expert, Option1);
    setTabOrder(Option1, Option2);
    setTabOrder(Option2, Option3);
    setTabOrder(Option3, Option4);
    Libelle->setFocus();
}

void Main::buildMenus()
{
    // Every menu has an access key and the frequent commands their usual shortcuts, so that
    // nothing needs the mouse.
    menuBar_ = new KeyboardMenuBar(this);
    setMenuBar(menuBar_);
    menuBar_->setObjectName(QStringLiteral("Barre_Menus"));

    Mnu_Fichier = menuBar_->addMenu(QStringLiteral("&Fichiers"));
    Mnu_Fichier->setObjectName(QStringLiteral("Mnu_Fichier"));
    Mnu_Quitter = Mnu_Fichier->addAction(QStringLiteral("&Quitter Dravelin"));
    Mnu_Quitter->setObjectName(QStringLiteral("Mnu_Quitter"));
    Mnu_Quitter->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    Mnu_Imprimer = menuBar_->addAction(QStringLiteral("&Imprimer la liste"));
    Mnu_Imprimer->setObjectName(QStringLiteral("Mnu_Imprimer"));
    Mnu_Imprimer->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));

    Mnu_Enregistrer = menuBar_->addMenu(QStringLiteral("&Enregistrer la liste"));
    Mnu_Enregistrer->setObjectName(QStringLiteral("Mnu_Enregistrer"));
    Mnu_Enregistrer_txt = Mnu_Enregistrer->addAction(QStringLiteral("au format &txt"));
    Mnu_Enregistrer_txt->setObjectName(QStringLiteral("Mnu_Enregistrer_txt"));
    Mnu_Enregistrer_csv = Mnu_Enregistrer->addAction(QStringLiteral("au format &csv"));
    Mnu_Enregistrer_csv->setObjectName(QStringLiteral("Mnu_Enregistrer_csv"));
#ifdef DRAVELIN_SPREADSHEET
    Mnu_Enregistrer_tableur = Mnu_Enregistrer->addAction(QStringLiteral("au format ta&bleur"));
    Mnu_Enregistrer_tableur->setObjectName(QStringLiteral("Mnu_Enregistrer_tableur"));
#endif

    // A command on the bar itself, as "Imprimer la liste"; T is the one letter of its
    // caption that no other entry of the bar uses.
    Mnu_Etiquettes = menuBar_->addAction(QStringLiteral("Imprimer des é&tiquettes"));
    Mnu_Etiquettes->setObjectName(QStringLiteral("Mnu_Etiquettes"));

    Mnu_Aide = menuBar_->addMenu(QStringLiteral("&Aide"));
    Mnu_Aide->setObjectName(QStringLiteral("Mnu_Aide"));
    Mnu_Historique = Mnu_Aide->addAction(QStringLiteral("&Historique"));
    Mnu_Historique->setObjectName(QStringLiteral("Mnu_Historique"));
    Mnu_Notice = Mnu_Aide->addAction(QStringLiteral("&Mode d'emploi"));
    Mnu_Notice->setObjectName(QStringLiteral("Mnu_Notice"));
    Mnu_Notice->setShortcut(QKeySequence(Qt::Key_F1));
    Mnu_Apropos = Mnu_Aide->addAction(QStringLiteral("A &Propos"));
    Mnu_Apropos->setObjectName(QStringLiteral("Mnu_Apropos"));
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
    connect(Mnu_Quitter, &QAction::triggered, this, &Main::quitProgram);
    // F10 walks the menu bar from the keyboard, as Alt and the access keys do.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, menuBar_, &KeyboardMenuBar::enterFromKeyboard);

    const QStringList prompts = criterionPrompts();
    QRadioButton* const options[] = {Option1, Option2, Option3, Option4};
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
        connect(static_cast<CriterionButton*>(option), &CriterionButton::chosenByKey, Libelle,
                [this] { Libelle->setFocus(Qt::OtherFocusReason); });
    }
    connect(Libelle, &TypingLineEdit::enterPressed, this, &Main::queryEntered);

    connect(&shared_, &Sous_Programmes::resultListInvalidated, resultModel_, &ResultListModel::clear);
    connect(&shared_, &Sous_Programmes::revisionChanged, this, [this](const QString& label, const QString& dateText) {
        Num_Rev->setText(label);
        Date_Rev->setText(dateText);
    });
}

} // namespace dravelin
