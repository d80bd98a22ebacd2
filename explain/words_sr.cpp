// Serbian, its letters in ASCII (the window's font has no other characters); the page's own labels
// have the signs of mathematics too.
#include "explain/words.hpp"
#include "run/format.hpp"

#include <cmath>
#include <cstdlib>

namespace {

// 1, 21, 31, ... (not 11) the singular; 2 to 4, 22 to 24, ... (not 12 to 14) the paucal; other
// whole counts the genitive plural, by their last two digits; a fraction takes the paucal form.
int serbianForm(double count)
{
    if (count != std::floor(count))
        return 1; // "0.25 koraka"
    const long long n = std::llabs(static_cast<long long>(count));
    const long long units = n % 10;
    if (n % 100 / 10 == 1)
        return 2;
    return units == 1 ? 0 : units >= 2 && units <= 4 ? 1 : 2;
}

} // namespace

constexpr Words serbianWords = {
    .stepOf = "Korak {0} od {1}",
    .split = "Podela: {0} deli prava x = {1}: levo {2}, desno {3}",
    .leaf = "Svi parovi: {0}, {1}; najblizi {2}, d = {3}",
    .combine = "Spajanje: levo d = {0}, desno d = {1}; {2} {3}",
    .keptRight = "ostaje desni par",
    .keptOnTie = "jednaki, ostaje levi par",
    .keptLeft = "ostaje levi par",
    .strip = "Pojas: od x = {0} do x = {1} (d = {2}): levo {3}, desno {4}",
    .compare = "{0}. poredjenje za {1}, sa {2}: d = {3}, {4}{5}",
    .windowNote = " (prozor tacke i dalje w = {0})",
    .newBest = "novi najbolji par",
    .notSmaller = "nije manje od {0}",
    .answer = "Rezultat poziva nad {0}: d = {1}, {2}",
    .end = "Kraj: {0}; izracunato {1}, svi parovi: {2}; najvise poredjenja jedne tacke u pojasu: {3}",
    .endResult = "{2}",
    .infinity = "beskonacno",
    .noPair = noPairText, // as the report says it
    .equalDistances = "jednaka rastojanja: oba para su najbliza",

    .nouns = {{"tacka", "tacke", "tacaka"},
              {"tacku", "tacke", "tacaka"},
              {"tackom", "tacke", "tacaka"},
              {"par", "para", "parova"},
              {"rastojanje", "rastojanja", "rastojanja"},
              {"korak", "koraka", "koraka"}},
    .formFor = serbianForm,

    .playing = ", pusta se",
    .header = "{0}{1}, {2} u sekundi; rastojanja: {3} od {4}",
    .splitCall = "Poziv {0}: {1}, podela x = {2}",
    .leafCall = "Poziv {0}: {1}, svi parovi",
    .treeSplit = "{0}, podela x = {1}, d = {2}",
    .treeLeaf = "{0}, svi parovi, d = {1}",
    .treeOpenSplit = "{0}, podela x = {1}",
    .treeOpenLeaf = "{0}, svi parovi",

    .keys = {"Napred", "Nazad", "Sledeci poziv", "Prethodni poziv", "Prvi korak", "Poslednji korak",
             "Pusti ili zaustavi", "Brze", "Sporije", "Prati poziv", "Legenda", "Krupno",
             "Prikaz za salu", "Sacuvaj slajd", "Stablo poziva"},

    .listing = {"najblizi(P po x, Q iste tacke po y):",
                "  ako P ima najvise {0}:",
                "    proveri svaki par iz P; vrati najblizi, ili d = beskonacno",
                "  h = |P| / 2; mx = x od P[h]; L = P[0 .. h-1], D = P[h ..]",
                "  QL, QD = tacke iz L i iz D, redom po y kao u Q",
                "  (d, p) = najblizi(L, QL)",
                "  (dD, pD) = najblizi(D, QD)",
                "  ako dD < d: (d, p) = (dD, pD)      (jednaki: ostaje levi par)",
                "  SL, SD = tacke iz QL, QD sa (x - mx)^2 < d^2",
                "  za svaku a iz SL, odozgo nadole: w = d (isto za sve b te a)",
                "    za svaku b iz SD sa |b.y - a.y| < w:",
                "      e = rastojanje(a, b); ako e < d: (d, p) = (e, (a, b))",
                "  vrati (d, p)",
                "rezultat = najblizi(sve tacke po x, sve tacke po y)"},

    .legendTitle = "Legenda:",
    .legend = {"sivi kvadratici: tacke van poziva",
               "crni kvadratici: tacke poziva",
               "plavi puni kvadrati: pojas, leva polovina (SL)",
               "zeleni prazni kvadrati: pojas, desna polovina (SD)",
               "ljubicasti krug: jednake tacke (rastojanje 0)",
               "debela magenta linija: podela x = mx",
               "isprekidane magenta linije: podele poziva u toku",
               "tackaste plave linije: ivice pojasa; tacka na njoj je van",
               "debela crvena duz: najbolji par, onaj koji ostaje",
               "tanka plava duz: par leve polovine",
               "isprekidana zelena duz: par desne polovine",
               "isprekidana narandzasta duz: par koji se poredi",
               "crveni krug: novo d oko leve tacke",
               "tirkizni pravougaonik: trazi se b, |b.y - a.y| < w",
               "isprekidani tirkizni: |b.y - a.y| < d, najbolje sada",
               "kratka crna crtica: polovina kojoj pripada tacka na podeli",
               "narandzasti krug: tacka izabrana kao odgovor",
               "veliki plavi prazan kvadrat: tacka na kojoj su strelice"},

    .askSplit = "Podela: gde ide prava koja deli {0}? Klikni na nju, ili izaberi tacku kroz koju prolazi.",
    .askLeaf = "Svi parovi: {0}. Koji par je najblizi? Izaberi njegove dve tacke.",
    .askStrip = "Pojas oko x = {0}, najbolje do sada d = {1}: koje tacke su u njemu? Izaberi ih.",
    .askCompare = "{0}. poredjenje za {1}, sa {2}: blize od najboljeg do sada, d = {3}?",
    .askCombine = "Spajanje: par leve polovine (tanka plava) i desne (isprekidana zelena). Koji par ostaje?",
    .askEnd = "Pre kraja: koji par od svih {0} je najblizi? Izaberi njegove dve tacke.",
    .answers = {{"da", "ne"}, {"levi par", "desni par"}},
    .correct = "Tacno: {0}",
    .incorrect = "Netacno: {0}",
    .whySplit = "prava je x = {0}: leva polovina se zavrsava na x = {1}, desna pocinje na x = {2}",
    .whyClosest = "najblizi par je {0}, d = {1}",
    .whyStrip = "u pojasu od x = {0} do x = {1} (d = {2}) je {3} levo i {4} desno",
    .whyNewBest = "novi najbolji par: {0} < {1}",
    .whyNotBest = "nije novi najbolji: {0} nije manje od {1}",
    .whyLeft = "ostaje levi par: {0} < {1}",
    .whyTie = "jednaki, ostaje levi par: {0} = {1}",
    .whyRight = "ostaje desni par: {1} < {0}",
    .score = "tacno {0} od {1} odgovorenih, preskoceno {2}",
    .chosen = "izabrano: {0}",
    .noRecord = "tu nema tacke: nista nije odgovoreno",
    .answerButton = "Odgovori",
    .askArrows = "Na slici strelice idu od tacke do tacke; Enter ili razmak bira tacku.",
    .cursorOn = "strelice su na {0}",
    .askCounts = "Ili reci koliko ih je sa svake strane:",
    .countLeft = "levo",
    .countRight = "desno",
    .questionKinds = {"podela", "list", "pojas", "poredjenje", "spajanje", "kraj"},

    .askSwitch = "Pitaj pre nego sto se pokaze odgovor",
    .askKindsTitle = "Pitanja o",
    .askRecordsName = "Tacke poziva",
    .treeTitle = "Pozivi kao stablo, i nivoi",
    .treeName = "Pozivi kao stablo: izaberi poziv da odes na njegov prvi korak",
    .levelsName = "Nivoi rekurzije",
    .levelsNote = "Podele po y na svakoj dubini pomeraju svaku tacku svojih poziva koji dele, oko n po nivou, a "
                  "nivoa ima oko log\u2082 n: tu je n log n.",
    .costTitle = "Cena naspram svih parova",
    .costAbout = "Rastojanja koja racuna podeli pa vladaj, prebrojana na skupovima vrste i dimenzije izabrane gore "
                 "(sa semenom, ako je dato), naspram n(n\u22121)/2 parova koje racuna provera svakog para.",
    .costUpTo = "Do",
    .costRecords = "tacaka",
    .costCount = "Prebroj",
    .termRatio = "izracunata rastojanja podeljena brojem svih parova: deo parova koje podeli pa vladaj pogleda.",
    .termMost = "najvise poredjenja jedne leve tacke pojasa: nekoliko, koliko god n raslo.",
    .termDepth = "najvise poziva u toku odjednom: nivoi rekurzije, oko log\u2082(n/8) + 1.",
    .termMoved = "tacke koje su podele po y pomerile u svim pozivima: n na svakom nivou iznad listova, ukupno oko "
                 "n log\u2082 n.",
    .termTimes = "prosek onoliko izvrsavanja koliko zajedno traju 20 ms, da bi vremena ispod milisekunde bila "
                 "stabilna; ispod mikrosekunde pisu 0.000.",
    .chartDistances = "podeli pa vladaj: izracunata rastojanja (kao n)",
    .chartMoved = "tacke koje pomeraju podele po y (kao n log n)",
    .chartReference = "n \u00b7 \u2308log\u2082 n\u2309, za poredjenje",
    .chartPairs = "svi parovi: n(n\u22121)/2",
    .chartX = "broj tacaka n (logaritamska skala)",
    .chartY = "rastojanja, tacke (logaritamska skala)",
    .chartName = "izracunata rastojanja, pomerene tacke, n log\u2082 n i svi parovi prema broju tacaka, na "
                 "logaritamskim skalama",
    .costTableName = "Tabela cene",
};
static_assert(complete(serbianWords));
