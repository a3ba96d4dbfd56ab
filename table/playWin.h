#pragma once
// The game window: owner of the deck, the four piles, the counters of a
// game, the play limit and the user's settings.

#include "framework/window.h"
#include "table/cards.h"

namespace fw {
class MenuItem;
}

class playWin : public fw::Window {
public:
    playWin();

    // The open game window, made (and opened) when there is none.
    static playWin& instance();
    static playWin* openInstance();

    // Game state, in declaration order; start values as the window is made.
    CardList deck{fw::Text()};
    CardList row1cards{fw::Text()};
    CardList row2cards{fw::Text()};
    CardList row3cards{fw::Text()};
    CardList row4cards{fw::Text()};
    bool spelaLjud = false;
    int antalFusk = 0;
    fw::TextArray playKeys = fw::TextArray(5);
    bool helpTxt = false;
    int timesLeft = 0;
    bool quitIfSuccess = false;
    bool autoResize = false;
    bool askDiciplin = false;
    int minSec = 0;
    bool topBeats = false;
    bool tidigareSlut = false;
    int maxFaults = 0;
    int numFaults = 0;

    // Pile n (1 to 4) and its card views.
    CardList& pile(int n);
    const CardList& pile(int n) const;
    fw::Canvas& cardView(int pile, int index) const;

    // Buttons and handlers.
    void nyttspel_Open();
    void nyttspel_Action();
    void delaut_Open();
    void delaut_Action();
    bool row1_MouseDown(fw::Canvas& me, int x, int y);
    void row1_MouseUp(fw::Canvas& me, int x, int y);
    bool row2_MouseDown(fw::Canvas& me, int x, int y);
    void row2_MouseUp(fw::Canvas& me, int x, int y);
    bool row3_MouseDown(fw::Canvas& me, int x, int y);
    void row3_MouseUp(fw::Canvas& me, int x, int y);
    bool row4_MouseDown(fw::Canvas& me, int x, int y);
    void row4_MouseUp(fw::Canvas& me, int x, int y);

    // The menu items, found by name in this window's menu bar.
    fw::MenuItem* Help() const;
    fw::MenuItem* menuEmulerad() const;
    fw::MenuItem* omVesko() const;
    fw::MenuItem* appleAvsluta() const;
    fw::MenuItem* menuPref() const;
    fw::MenuItem* helpRegler() const;

    // Binds the four commands that open windows to the handlers below.
    void AddMenuHandlers();
    // Menu handlers; each shows its window and answers false.
    bool _omVesko_Action();
    bool _menuPref_Action();
    bool _helpRegler_Action();
    bool _menuEmulerad_Action();

    void Close() override;
    void Resized() override;
    bool KeyDown(const fw::Text& key) override;
    void EnableMenuItems() override;
    void Open() override;

    void deal();
    fw::Picture* getSuit(const fw::Text& suit);
    fw::Text getRank(const fw::Text& rank);
    bool tryRemove(int pile);
    void dealSnd();
    void gameOver();
    void visaSlut(const fw::Text& status, const fw::Text& status2, bool showCancel, bool won);
    void getCard(fw::Canvas& canvas, const fw::Text& suit, const fw::Text& rank);
    fw::Text getRSuit(const fw::Text& suit);
    fw::Text getRRank(const fw::Text& rank);
    void setMinHeight();
    void fixHeight(fw::Canvas& canvas);
    bool getPrefs();
    void setPrefs();

protected:
    const fw::WindowRecord& layoutRecord() const override;
    std::span<const fw::ControlRecord> controlRecords() const override;
    void bindHandlers() override;

private:
    bool cardViewMouseDown();
    void cardViewMouseUp(int pile, fw::Canvas& me, int x, int y);
    // Takes the top card of a pile off the table once the rules let it go.
    void removeTopCard(int pile);
    // The window height at which card row i ends.
    int cardLine(int row) const;

    // True while a deal draws its cards; a further deal request waits for
    // none and is dropped.
    bool dealing_ = false;
    // Counts the games started, so that a deal interrupted by a new game
    // stops drawing cards of a table that is gone.
    int gamesStarted_ = 0;
    // The settings file was there but could not be read: the quit leaves it alone.
    bool keepPrefsFile_ = false;
};
