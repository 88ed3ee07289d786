// The display settings dialogs opened from the main menu: "affichage" edits the settings
// live and its acceptance recolours and reads the map's lists back only with a sector
// loaded; "securité" sets the separation minima. Controls are reached by their caption,
// their group's title or their label.
#include "app/TForm1.h"
#include "core/Text.h"
#include "scope/DisplayEdits.h"
#include "ui/TForm_couleur.h"
#include "ui/TForm_secu.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace zaz::test {
namespace {

// Answers the colour boxes from a list; records the messages.

template <typename T>
T *Showing(const QWidget &window, const QString &text)
{
    for (T *widget : window.findChildren<T *>())
        if (widget->text() == text)
            return widget;
    return nullptr;
}

// The check marks of a list, "1" for a checked item.
QString Marks(const QListWidget *list)
{
    QString marks;
    for (int i = 0; i < list->count(); ++i)
        marks += list->item(i)->checkState() == Qt::Checked ? QLatin1Char('1') : QLatin1Char('0');
    return marks;
}

constexpr TColor kRed = 0x0000FF;

struct Rig {
    explicit Rig(bool withSector)
    {
        if (withSector)
            main.FormShow();
        main.setDisplayDialogs(&dialog, &secu);
    }
    // Opens a dialog from its menu item, runs steps while it shows, then presses close.
    void run(QAction *item, QDialog &shown, const std::function<void()> &steps, const QString &close)
    {
        bool ran = false;
        QTimer::singleShot(0, &shown, [&] {
            steps();
            ran = true;
            Showing<QAbstractButton>(shown, close)->click();
        });
        item->trigger();
        EXPECT_TRUE(ran);
    }
    void affichage(const std::function<void()> &steps, const QString &close)
    {
        run(main.menu().couleurs1, dialog, steps, close);
    }
    QGroupBox *group(const QString &title)
    {
        for (QGroupBox *g : dialog.findChildren<QGroupBox *>())
            if (g->title() == title)
                return g;
        return nullptr;
    }
    QListWidget *list(const QString &title) { return group(title)->findChild<QListWidget *>(); }
    QListWidgetItem *layer(const QString &name)
    {
        return dialog.findChild<QListWidget *>(QStringLiteral("CheckListBox1"))->findItems(name, Qt::MatchExactly)[0];
    }
    QSpinBox *upDown(const QString &label) { return qobject_cast<QSpinBox *>(Showing<QLabel>(dialog, label)->buddy()); }
    void pick(const QString &title, const QString &item) { Showing<QRadioButton>(*group(title), item)->click(); }
    void clickCell(const char *grid, int row)
    {
        emit dialog.findChild<QTableWidget *>(QLatin1String(grid))->cellClicked(row, 1);
    }

    TestEnv env = TestEnv::withStartingData();
    TForm1 main{env.services()};
    ScriptedPrompts prompts;
    TForm_couleur dialog{main.state(), prompts, &main};
    TForm_secu secu{&main};
    RadarState &state = main.state();
    DisplaySettings &display = state.settings.display;
};

} // namespace

// Every control writes its setting at once and "annuler" keeps it; without a sector,
// acceptance takes the zoom sensitivity and leaves the map alone.
TEST(DisplayDialog, EditsAreLiveAndKeptByAnnulerAndWithoutSectorTheMapIsLeftAlone)
{
    Rig r(false);
    const QImage before = r.main.picture();
    struct Case {
        const char *what;
        std::function<void(Rig &)> edit;
        std::function<int(const Rig &)> setting;
        int expected;
    };
    const Case cases[] = {
        {"label mode", [](Rig &g) { g.pick("affichage des paramètres avion", "mode Charly"); },
         [](const Rig &g) { return int(g.display.labelMode); }, 1},
        {"rings on screen", [](Rig &g) { g.pick("cercles equidistants", "fixe sur l'écran"); },
         [](const Rig &g) { return int(g.display.ringsOnScreen); }, 1},
        {"trail", [](Rig &g) { g.pick("trace de l'avion", "non"); },
         [](const Rig &g) { return int(g.display.trailShown); }, 0},
        {"ILS axes", [](Rig &g) { g.pick("Affichage axes ILS", "non"); },
         [](const Rig &g) { return int(g.display.ilsAxesShown); }, 0},
        {"transponder",
         [](Rig &g) { Showing<QCheckBox>(g.dialog, "transpondeur sur l'étiquette de l'avion")->click(); },
         [](const Rig &g) { return int(g.display.transponderOnLabel); }, 0},
        {"high airway names", [](Rig &g) { Showing<QCheckBox>(*g.group("HIGH AIRWAY"), "afficher les noms")->click(); },
         [](const Rig &g) {
             const DisplaySettings &d = g.display;
             return d.showSidNames + 2 * d.showStarNames + 4 * d.showLowNames + 8 * d.showHighNames;
         }, 1 + 2 + 8},
        {"zoom, at most 150", [](Rig &g) { g.upDown("sensibilté ZOOM")->setValue(200); },
         [](const Rig &g) { return int(g.display.zoomSensitivity); }, 150},
        {"passing distance, at most 20",
         [](Rig &g) { g.upDown("Distance  de passage au point suivant")->setValue(25); },
         [](const Rig &g) { return g.state.traffic.passingDistance; }, 20},
        {"background colour", [](Rig &g) { g.prompts.answerColor(kRed); g.clickCell("StringGrid1", kColBackground); },
         [](const Rig &g) { return int(g.display.colours[kColBackground].colour); }, kRed},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        r.affichage([&] { c.edit(r); }, "annuler");
        EXPECT_EQ(c.setting(r), c.expected);
    }
    EXPECT_EQ(r.dialog.pos() - r.main.pos(), QPoint(65, 45));
    // The background and the target colours are always drawn; the weather can be hidden.
    for (auto [name, editable] : {std::pair{"FOND", false}, {"COMMANDE", false}, {"METEO", true}, {"CERCLES", true}})
        EXPECT_EQ(bool(r.layer(name)->flags() & Qt::ItemIsEnabled), editable) << name;

    r.affichage([&] { r.upDown("sensibilté ZOOM")->setValue(130); }, "enregistrer");
    EXPECT_EQ(r.display.zoomSensitivity, 130);
    EXPECT_EQ(r.state.sector.identity.generation, 0u);
    EXPECT_EQ(r.main.picture(), before);
}

// The SID list follows its layer: emptied when it is unchecked, listed again from the first
// SID with the marks kept; its items select at once, as the STAR "tout cocher" does.
TEST(DisplayDialog, ProcedureListsSelectAtOnceAndFollowTheirLayer)
{
    Rig r(true);
    QList<ROUTE> &sids = r.state.sector.tables.sids;
    QList<ROUTE> &stars = r.state.sector.tables.stars;
    ASSERT_GT(sids.size(), 2);
    r.affichage([&] {
        QListWidget *list = r.list("SID");
        EXPECT_EQ(Marks(list), SelectionText(sids));
        const bool second = sids[1].selected;
        list->item(1)->setCheckState(second ? Qt::Unchecked : Qt::Checked);
        EXPECT_EQ(sids[1].selected, second ? 0 : 1);
        const QString marks = SelectionText(sids);

        r.layer("SID")->setCheckState(Qt::Unchecked);
        EXPECT_EQ(list->count(), 0);
        EXPECT_EQ(r.display.colours[kColSid].visible, 0);
        r.layer("SID")->setCheckState(Qt::Checked);
        EXPECT_EQ(list->item(0)->text(), sids[0].name);
        EXPECT_EQ(Marks(list), marks);

        QAbstractButton *all = Showing<QAbstractButton>(*r.group("STAR"), "tout cocher");
        all->click();
        EXPECT_EQ(SelectionText(stars), QString(stars.size(), QLatin1Char('1')));
        EXPECT_EQ(Marks(r.list("STAR")) + all->text(), SelectionText(stars) + "tout décocher");
        all->click();
        EXPECT_EQ(SelectionText(stars) + all->text(), QString(stars.size(), QLatin1Char('0')) + "tout cocher");
    }, "annuler");
}

// With a sector, acceptance reads the fix list back (not "annuler"), recolours the GEO lines
// from the detail colours and redraws the map.
TEST(DisplayDialog, AcceptanceWithASectorReadsFixesBackAndRecoloursGeo)
{
    Rig r(true);
    const SectorTables &t = r.state.sector.tables;
    const int fix = int(t.fixes.size()) - 1;
    ASSERT_TRUE(t.fixes[fix].selected);
    ASSERT_EQ(t.geo[0].detailIndex, 0);
    const auto uncheckFix = [&] {
        r.list("FIXES")->findItems(t.fixes[fix].name, Qt::MatchExactly)[0]->setCheckState(Qt::Unchecked);
    };
    r.affichage(uncheckFix, "annuler");
    EXPECT_TRUE(t.fixes[fix].selected);

    const quint64 generation = r.state.sector.identity.generation;
    const QImage before = r.main.picture();
    r.affichage([&] {
        uncheckFix();
        r.prompts.answerColor(kRed);
        r.clickCell("StringGrid2", 0);
    }, "enregistrer");
    EXPECT_FALSE(t.fixes[fix].selected);
    EXPECT_EQ(r.display.details[0].value, "clRed");
    for (const GEO &g : t.geo)
        EXPECT_EQ(g.colour == kRed, g.detailIndex == 0);
    EXPECT_NE(r.state.sector.identity.generation, generation);
    EXPECT_NE(r.main.picture(), before);
}

TEST(DisplayDialog, FontSizeThatIsNoIntegerIsRefusedAndTheDelayRoundTrips)
{
    Rig r(false);
    r.affichage([&] {
        QLineEdit *screen = r.group("Caractères écran")->findChild<QLineEdit *>();
        QLineEdit *list = r.group("Caractères liste")->findChild<QLineEdit *>();
        for (auto [edit, typed] : {std::pair{screen, "abc"}, {list, ""}, {list, "7"}, {screen, "1,5"}}) {
            edit->setText(typed);
            emit edit->editingFinished();
        }
        EXPECT_EQ(screen->text() + " " + list->text(), "9 7");
    }, "annuler");
    EXPECT_EQ(QString("%1 %2").arg(r.display.screenFontSize).arg(r.display.listFontSize), "9 7");
    EXPECT_EQ(r.prompts.messages(), QStringList(3, "valeur non entière"));
    for (int minutes : {3, 1, 2}) {
        r.affichage([&] { r.upDown("delai d'effacement des avions disparus")->setValue(minutes); }, "annuler");
        EXPECT_FLOAT_EQ(r.state.traffic.ExpiryDelay * 1440, float(minutes));
        r.affichage([&] {
            EXPECT_EQ(r.dialog.findChild<QLineEdit *>(QStringLiteral("Edit_delai"))->text(), IntToStr(minutes));
        }, "annuler");
    }
}

TEST(SeparationDialog, BarsShowTheMinimaAndOnlyChangerStoresThem)
{
    Rig r(false);
    r.display.separation = {2500, 1000, 5};
    // Each bar shows the minimum in force, then what it is moved to, within its range.
    const struct {
        const char *label, *shown;
        int moved;
        const char *movedText;
    } bars[] = {{"Distance verticale", "1000ft", 5100, "5000 ft"},
                {"Distance horizontale", "5nm", 11, "10 nm"},
                {"Altitude minimale ", "2500ft", 20100, "20000 ft"}};
    const SeparationMinima &m = r.display.separation;
    for (auto [close, stored] : {std::pair{"annuler", "1000 5 2500"}, {"changer", "5000 10 20000"}}) {
        r.run(r.main.menu().securit1, r.secu, [&] {
            EXPECT_EQ(r.secu.pos() - r.main.pos(), QPoint(90, 45));
            for (const auto &b : bars) {
                SCOPED_TRACE(b.label);
                EXPECT_TRUE(Showing<QLabel>(r.secu, b.shown));
                qobject_cast<QSlider *>(Showing<QLabel>(r.secu, b.label)->buddy())->setValue(b.moved);
                EXPECT_TRUE(Showing<QLabel>(r.secu, b.movedText));
            }
        }, close);
        EXPECT_EQ(QString("%1 %2 %3").arg(m.verticalSeparation).arg(m.horizontalSeparation).arg(m.minimumAltitude),
                  stored);
    }
}

// Fixes and airways are marked by name: the first item of a name (case aside) shows the last
// such element's mark and gives its mark back to every element of that name.
TEST(DisplayEdits, MarksArePlacedAndReadBackByName)
{
    SectorTables t;
    for (auto [name, selected] : {std::pair{"B", 1}, {"a", 0}, {"A", 1}}) {
        t.fixes.append(FIXE{name, 0, 0, std::uint8_t(selected), {}});
        t.lowAirways.append(ROUTE{name, {}, std::uint8_t(selected)});
        t.sids.append(ROUTE{name, {}, std::uint8_t(selected)});
    }
    const auto text = [](const ElementItems &items) {
        QString s;
        for (const ElementItem &i : items)
            s += i.name + (i.checked ? "1 " : "0 ");
        return s;
    };
    EXPECT_EQ(text(ElementListItems(t, ElementKind::Fixes)), "a1 A0 B1 ");
    EXPECT_EQ(text(ElementListItems(t, ElementKind::LowAirways)), "B1 a1 A0 ");
    EXPECT_EQ(text(ElementListItems(t, ElementKind::Sids)), "B1 a0 A1 ");

    ReadBackSelections(t, ElementKind::LowAirways, {{"A", false}, {"b", true}});
    ReadBackSelections(t, ElementKind::Fixes, {});
    EXPECT_EQ(SelectionText(t.lowAirways) + SelectionText(t.fixes), "100101");
}

} // namespace zaz::test
