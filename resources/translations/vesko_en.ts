<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Localizable</name>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rules</source>
        <extracomment>Menu item “Rules…” and the title of the Rules window</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <extracomment>Menu item “Settings…” and the title of the Settings dialog</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <extracomment>Menu item; also the caption of buttons that quit (New game button width 83 px, OK button 69 px, lock-out button 80 px)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Vesko&apos;s Solvary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Emulated Self Discipline</source>
        <extracomment>Menu item “Emulated Self Discipline…” and the heading of the self-discipline dialog</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vesko&apos;s Solvary</source>
        <extracomment>Name of the game: game window title, About window title</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New game</source>
        <extracomment>Button, 83 px wide</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deal</source>
        <extracomment>Button, 83 px wide</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An unexpected error occured</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>J</source>
        <extracomment>Face label of the jack, drawn on a 25 px wide card: at most two characters</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Q</source>
        <extracomment>Face label of the queen, at most two characters</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>K</source>
        <extracomment>Face label of the king, at most two characters</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A</source>
        <extracomment>Face label of the ace, at most two characters</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>clubs</source>
        <extracomment>Suit word, used in the card help tag</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>diamonds</source>
        <extracomment>Suit word, used in the card help tag</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hearts</source>
        <extracomment>Suit word, used in the card help tag</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>spades</source>
        <extracomment>Suit word, used in the card help tag</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One,Two,Three,Four,Five,Six,Seven,Eight,Nine,Ten,Jack,Queen,King,Ace</source>
        <extracomment>Exactly 14 comma-separated rank words in this order; used in card help tags and (first letter upper-cased) in the tries-left line</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>Card help tag: %1 rank word, %2 suit word (Ace of spades)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorry, too many fault clicks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The deck is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The aces are in place</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You won</source>
        <extracomment>Followed by “, congratulations!” or by a comma and a line with the cheat count</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>congratulations</source>
        <extracomment>Follows “You won, ”; an exclamation mark is appended</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>but you cheated once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>but you cheated %1 times</source>
        <extracomment>%1 is the number of cheats (2 or more)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last try</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 tries left</source>
        <extracomment>%1 is a rank word from the number-word list (Two to Eight); the first letter of the result is upper-cased</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <extracomment>Button, 80 px wide</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Miscellaneous</source>
        <extracomment>Tab caption</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keys</source>
        <extracomment>Tab caption</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variants</source>
        <extracomment>Tab caption</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <extracomment>Button, 69 px wide</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sounds and noise</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the rank of the cards as a helptag</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Something like this</source>
        <extracomment>Help tag of the check box above</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Emulate self discipline at startup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make the table horribly green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keys used to throw cards.*Hold option or shift to cheat (you bad one!)</source>
        <extracomment>Two lines, 261 px wide</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keys (besides enter) to deal</source>
        <extracomment>Label, 202 px wide; a colon is appended</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the number of cards left in the deck</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The underlaying card in a pile beats the top card</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I&apos;ve won as soon as the four aces are in place</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Max number of fault clicks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I&apos;ll play just % times more</source>
        <extracomment>Split at %: the text before it is a check box caption, the text after it the label behind the number (2 to 9)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I&apos;ll play just % time more</source>
        <extracomment>Singular form; only the text after % is used (number 1)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>..but quit immediately if I win</source>
        <extracomment>Check box, 181 px wide</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I&apos;m a victim to gambling!</source>
        <extracomment>Button, 139 px wide; opens the help organisation&apos;s web page</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>https://www.gamblersanonymous.org/</source>
        <extracomment>Web page of a problem-gambling help organisation in the user&apos;s language</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No way</source>
        <extracomment>Window title of the lock-out dialog</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Don&apos;t you try!</source>
        <extracomment>Bold, 154 px wide</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You&apos;ve to wait for a while.*Do something good in the meantime!</source>
        <extracomment>Two lines, 170 px wide</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vesko&apos;s Solvary - Because it didn&apos;t exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The most stupid game of them all*Made in anxiety of exams the morning of August 10, 2002*Gradually polishing and even more polishing since then</source>
        <extracomment>Three lines, 343 px wide</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vesko&apos;s Solvary is the most stupid gard game of all times, with high demands on luck and non-existent demands on skills. Shuffle a deck of cards and place four open cards on the table. You can then throw a card if there is another faceup card of the same suit with a higher rank in the top of any other pile. The ace always has the highest rank. If a pile is empty, you can move any top card from the other piles to its place. When you are unable to throw more cards, deal four new ones to the piles and again try to throw cards. Continue until the deck is empty. The goal is to only have one card left in each pile, which naturally would be the four aces</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“The clever count their cards; the wise just vesko.”*—Ottilia Kortlund</source>
        <extracomment>A saying in quotation marks ending with the word vesko, then on its own line a dash and the name</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
