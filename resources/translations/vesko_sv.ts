<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv_SE">
<context>
    <name>Localizable</name>
    <message>
        <source>Help</source>
        <translation>Hjälp</translation>
    </message>
    <message>
        <source>Rules</source>
        <extracomment>Menu item “Rules…” and the title of the Rules window</extracomment>
        <translation>Regler</translation>
    </message>
    <message>
        <source>Settings</source>
        <extracomment>Menu item “Settings…” and the title of the Settings dialog</extracomment>
        <translation>Inställningar</translation>
    </message>
    <message>
        <source>Quit</source>
        <extracomment>Menu item; also the caption of buttons that quit (New game button width 83 px, OK button 69 px, lock-out button 80 px)</extracomment>
        <translation>Avsluta</translation>
    </message>
    <message>
        <source>About Vesko&apos;s Solvary</source>
        <translation>Om Veskos Solvary</translation>
    </message>
    <message>
        <source>Emulated Self Discipline</source>
        <extracomment>Menu item “Emulated Self Discipline…” and the heading of the self-discipline dialog</extracomment>
        <translation>Emulerad självdisciplin</translation>
    </message>
    <message>
        <source>Vesko&apos;s Solvary</source>
        <extracomment>Name of the game: game window title, About window title</extracomment>
        <translation>Veskos Solvary</translation>
    </message>
    <message>
        <source>New game</source>
        <extracomment>Button, 83 px wide</extracomment>
        <translation>Nytt spel</translation>
    </message>
    <message>
        <source>Deal</source>
        <extracomment>Button, 83 px wide</extracomment>
        <translation>Dela ut</translation>
    </message>
    <message>
        <source>An unexpected error occured</source>
        <translation>Ett oväntat fel inträffade</translation>
    </message>
    <message>
        <source>J</source>
        <extracomment>Face label of the jack, drawn on a 25 px wide card: at most two characters</extracomment>
        <translation>Kn</translation>
    </message>
    <message>
        <source>Q</source>
        <extracomment>Face label of the queen, at most two characters</extracomment>
        <translation>D</translation>
    </message>
    <message>
        <source>K</source>
        <extracomment>Face label of the king, at most two characters</extracomment>
        <translation>K</translation>
    </message>
    <message>
        <source>A</source>
        <extracomment>Face label of the ace, at most two characters</extracomment>
        <translation>E</translation>
    </message>
    <message>
        <source>clubs</source>
        <extracomment>Suit word, used in the card help tag</extracomment>
        <translation>Klöver</translation>
    </message>
    <message>
        <source>diamonds</source>
        <extracomment>Suit word, used in the card help tag</extracomment>
        <translation>Ruter</translation>
    </message>
    <message>
        <source>hearts</source>
        <extracomment>Suit word, used in the card help tag</extracomment>
        <translation>Hjärter</translation>
    </message>
    <message>
        <source>spades</source>
        <extracomment>Suit word, used in the card help tag</extracomment>
        <translation>Spader</translation>
    </message>
    <message>
        <source>One,Two,Three,Four,Five,Six,Seven,Eight,Nine,Ten,Jack,Queen,King,Ace</source>
        <extracomment>Exactly 14 comma-separated rank words in this order; used in card help tags and (first letter upper-cased) in the tries-left line</extracomment>
        <translation>ett,två,tre,fyra,fem,sex,sju,åtta,nio,tio,knekt,dam,kung,ess</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>Card help tag: %1 rank word, %2 suit word (Ace of spades)</extracomment>
        <translation>%2 %1</translation>
    </message>
    <message>
        <source>Sorry, too many fault clicks</source>
        <translation>Tyvärr, för många felklick</translation>
    </message>
    <message>
        <source>The deck is empty</source>
        <translation>Leken är slut</translation>
    </message>
    <message>
        <source>The aces are in place</source>
        <translation>Essen är på plats</translation>
    </message>
    <message>
        <source>You won</source>
        <extracomment>Followed by “, congratulations!” or by a comma and a line with the cheat count</extracomment>
        <translation>Du vann</translation>
    </message>
    <message>
        <source>congratulations</source>
        <extracomment>Follows “You won, ”; an exclamation mark is appended</extracomment>
        <translation>grattis</translation>
    </message>
    <message>
        <source>but you cheated once</source>
        <translation>men du fuskade en gång</translation>
    </message>
    <message>
        <source>but you cheated %1 times</source>
        <extracomment>%1 is the number of cheats (2 or more)</extracomment>
        <translation>men du fuskade %1 gånger</translation>
    </message>
    <message>
        <source>Last try</source>
        <translation>Sista försöket</translation>
    </message>
    <message>
        <source>%1 tries left</source>
        <extracomment>%1 is a rank word from the number-word list (Two to Eight); the first letter of the result is upper-cased</extracomment>
        <translation>%1 försök kvar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <extracomment>Button, 80 px wide</extracomment>
        <translation>Avbryt</translation>
    </message>
    <message>
        <source>Miscellaneous</source>
        <extracomment>Tab caption</extracomment>
        <translation>Allmänt</translation>
    </message>
    <message>
        <source>Keys</source>
        <extracomment>Tab caption</extracomment>
        <translation>Tangenter</translation>
    </message>
    <message>
        <source>Variants</source>
        <extracomment>Tab caption</extracomment>
        <translation>Varianter</translation>
    </message>
    <message>
        <source>Save</source>
        <extracomment>Button, 69 px wide</extracomment>
        <translation>Spara</translation>
    </message>
    <message>
        <source>Sounds and noise</source>
        <translation>Ljud och oväsen</translation>
    </message>
    <message>
        <source>Show the rank of the cards as a helptag</source>
        <translation>Visa kortens valör som hjälptext</translation>
    </message>
    <message>
        <source>Something like this</source>
        <extracomment>Help tag of the check box above</extracomment>
        <translation>Ungefär så här</translation>
    </message>
    <message>
        <source>Emulate self discipline at startup</source>
        <translation>Emulera självdisciplin vid start</translation>
    </message>
    <message>
        <source>Make the table horribly green</source>
        <translation>Gör bordet gräsligt grönt</translation>
    </message>
    <message>
        <source>Keys used to throw cards.*Hold option or shift to cheat (you bad one!)</source>
        <extracomment>Two lines, 261 px wide</extracomment>
        <translation>Tangenter för att kasta kort.*Håll ned alt eller skift och fuska (din skurk!)</translation>
    </message>
    <message>
        <source>Keys (besides enter) to deal</source>
        <extracomment>Label, 202 px wide; a colon is appended</extracomment>
        <translation>Dela ut med (utöver retur)</translation>
    </message>
    <message>
        <source>Show the number of cards left in the deck</source>
        <translation>Visa antalet kort kvar i leken</translation>
    </message>
    <message>
        <source>The underlaying card in a pile beats the top card</source>
        <translation>Kortet under i en hög slår det översta kortet</translation>
    </message>
    <message>
        <source>I&apos;ve won as soon as the four aces are in place</source>
        <translation>Jag har vunnit så fort de fyra essen är på plats</translation>
    </message>
    <message>
        <source>Max number of fault clicks</source>
        <translation>Max antal felklick</translation>
    </message>
    <message>
        <source>I&apos;ll play just % times more</source>
        <extracomment>Split at %: the text before it is a check box caption, the text after it the label behind the number (2 to 9)</extracomment>
        <translation>Jag spelar bara % gånger till</translation>
    </message>
    <message>
        <source>I&apos;ll play just % time more</source>
        <extracomment>Singular form; only the text after % is used (number 1)</extracomment>
        <translation>Jag spelar bara % gång till</translation>
    </message>
    <message>
        <source>..but quit immediately if I win</source>
        <extracomment>Check box, 181 px wide</extracomment>
        <translation>..men slutar direkt vid vinst</translation>
    </message>
    <message>
        <source>I&apos;m a victim to gambling!</source>
        <extracomment>Button, 139 px wide; opens the help organisation&apos;s web page</extracomment>
        <translation>Jag är spelberoende!</translation>
    </message>
    <message>
        <source>https://www.gamblersanonymous.org/</source>
        <extracomment>Web page of a problem-gambling help organisation in the user&apos;s language</extracomment>
        <translation>https://www.stodlinjen.se/</translation>
    </message>
    <message>
        <source>No way</source>
        <extracomment>Window title of the lock-out dialog</extracomment>
        <translation>Glöm det</translation>
    </message>
    <message>
        <source>Don&apos;t you try!</source>
        <extracomment>Bold, 154 px wide</extracomment>
        <translation>Försök inte ens!</translation>
    </message>
    <message>
        <source>You&apos;ve to wait for a while.*Do something good in the meantime!</source>
        <extracomment>Two lines, 170 px wide</extracomment>
        <translation>Du måste vänta en stund.*Gör något vettigt under tiden!</translation>
    </message>
    <message>
        <source>Vesko&apos;s Solvary - Because it didn&apos;t exist</source>
        <translation>Veskos Solvary - För att den inte fanns</translation>
    </message>
    <message>
        <source>The most stupid game of them all*Made in anxiety of exams the morning of August 10, 2002*Gradually polishing and even more polishing since then</source>
        <extracomment>Three lines, 343 px wide</extracomment>
        <translation>Det dummaste spelet av dem alla*Gjort i tentaångest på morgonen den 10 augusti 2002*Sedan dess gradvis putsat, och putsat ännu mer</translation>
    </message>
    <message>
        <source>Vesko&apos;s Solvary is the most stupid gard game of all times, with high demands on luck and non-existent demands on skills. Shuffle a deck of cards and place four open cards on the table. You can then throw a card if there is another faceup card of the same suit with a higher rank in the top of any other pile. The ace always has the highest rank. If a pile is empty, you can move any top card from the other piles to its place. When you are unable to throw more cards, deal four new ones to the piles and again try to throw cards. Continue until the deck is empty. The goal is to only have one card left in each pile, which naturally would be the four aces</source>
        <translation>Veskos Solvary är det dummaste kortspelet genom tiderna, med höga krav på tur och obefintliga krav på skicklighet. Blanda en kortlek och lägg ut fyra kort med framsidan upp på bordet. Du får sedan kasta ett kort om det ligger ett annat uppvänt kort i samma färg med högre valör överst i någon av de andra högarna. Esset har alltid högst valör. Om en hög är tom får du flytta dit valfritt översta kort från de andra högarna. När du inte kan kasta fler kort delar du ut fyra nya kort på högarna och försöker kasta kort igen. Fortsätt tills leken är slut. Målet är att bara ha ett kort kvar i varje hög, vilket naturligtvis blir de fyra essen</translation>
    </message>
    <message>
        <source>“The clever count their cards; the wise just vesko.”*—Ottilia Kortlund</source>
        <extracomment>A saying in quotation marks ending with the word vesko, then on its own line a dash and the name</extracomment>
        <translation>“De kloka räknar kort, de visa nöjer sig med att vesko.”*—Ottilia Kortlund</translation>
    </message>
</context>
</TS>
