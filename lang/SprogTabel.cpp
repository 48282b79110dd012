// The language table: one initialiser per language, every member in the order of Sprog.
// For translators: keep the blanks at the ends of the short texts, "\r\n" for a line break and
// "\r\n\r\n" between paragraphs; the long texts must fit their labels (tests/SprogTabel_test.cpp
// measures them in their fonts).
#include "lang/SprogTabel.h"

namespace vindrel {
namespace {

const Sprog kDansk = {
    .kode = "da",
    .titel = "Spil",
    .Ansvar = {
        .lblAnsvar =
            "Alle dele af denne cd-rom er grundigt testet af Vindrels redaktion.\r\n\r\n"
            "Programmer fra tredjepart er desuden kontrolleret for alle kendte virus med de nyeste "
            "virusscannere.\r\n\r\n"
            "Vi råder dig dog til altid at køre et opdateret virusskjold på din computer, også når du "
            "installerer programmer.\r\n\r\n"
            "Vindrel påtager sig intet ansvar for fejl eller tab af data, der måtte opstå ved installation "
            "eller brug af programmerne på cd-rom´en.",
        .cmdOK = "OK",
    },
    .Forside = {.cmdHelp = "Hjælp", .cmdIndex = "Index", .cmdUninstall = "Afinstallér"},
    .Kategori = {.cmdNot = "Tilbage"},
    .SpilSide = {
        .cmdInstaller = "Installér",
        .cmdNot = "Tilbage",
        .lblHarddisk = "Harddisk: ",
        .lblMB = " MB",
        .lbl3dJa = "3D grafik: Ja",
        .lbl3dNej = "3D grafik: Nej",
        .lblMaskinKrav = "Spillets maskinkrav",
        .lblWarning = "Din computer opfylder ikke spillets vejledende krav! Men prøv alligevel. Tit kører det glimrende.",
    },
    .Help = {
        .emner = {"Sådan bruger du cd-rom´en", "Installér spil", "Fjern spil", "Installér DirectX",
                  "Spilopsætning og problemer"},
        .lblHelpCaption = "Hjælp",
        .cmdNot = "Tilbage",
        .HelpTexts = {
            // 1: how to use the CD
            "Cd-rom´en starter på samme sprog som din version af Windows. Opstår der konflikter eller "
            "problemer, kommer der i stedet et skærmbillede frem, hvor du selv kan vælge sprog.\r\n\r\n"
            "Luk alle andre programmer, før du bruger cd-rom´en. Luk også cd-rom´en, før du kører demoer "
            "og spil.",
            // 2: installing a game
            "Alle spil og demoer skal installeres, før de kan spilles. En installation tager typisk 30 til "
            "120 sekunder, og skærmen viser undervejs, hvor langt den er nået. Installationerne er "
            "forskellige, men de fungerer på samme måde:\r\n\r\n"
            "1. Når du vælger knappen Installér, starter spillets eget installationsprogram.\r\n"
            "2. Programmet foreslår en mappe, f.eks. C:\\Spil\\Demo. Du kan godkende den eller skrive din "
            "egen, f.eks. C:\\Mine spil.\r\n"
            "3. Installationen slutter, ofte med knappen \"Finish\", og spillet er installeret.\r\n"
            "4. Luk cd-rom´en, åbn Start-menuen i Windows, og find spillets gruppe og ikon.",
            // 3: removing a game
            "FOR UØVEDE SPILLERE:\r\n"
            "Et spils filer ligger spredt flere steder på harddisken, så det er ikke nok at slette "
            "spillets mappe. Med knappen Afinstallér på denne cd-rom kan du fjerne en eller flere demoer "
            "med alle deres filer og ikoner.\r\n\r\n\r\n"
            "FJERN SPIL I WINDOWS:\r\n"
            "Vælg Start, Indstillinger, Kontrolpanel, Tilføj/fjern programmer og derefter spillets navn. "
            "Der kan forekomme spil til Windows 3.1. De skal fjernes manuelt.",
            // 4: installing DirectX
            "DirectX er en udvidelse af Windows, som skal bruges for at kunne køre spil.\r\n\r\n"
            "DirectX skal kun installeres én gang. På denne cd-rom finder du version 7.0.\r\n\r\n"
            "Installationsprogrammet er på engelsk, men du skal blot svare ja til alle spørgsmål.\r\n\r\n"
            "Når installationen er færdig, skal computeren genstartes.",
            // 5: setup and problems
            "Nogle spil skal sættes op, før du starter dem første gang. Opsætning betyder spillets "
            "indstillinger, typisk hvilken type lydkort og grafikkort du har.\r\n\r\n"
            "Mange spil har en readme-fil i deres mappe med svar på de mest almindelige problemer. Næsten "
            "alle spil giver også hjælp, mens du spiller, ofte med tasten F1.",
        },
    },
    .DX = {
        .cmdNot = "Tilbage",
        .cmdOK = "Installer",
        .lblDX =
            "Du er ved at installere DirectX, som de fleste spil kræver.\r\n\r\n"
            "Har du allerede DirectX og vil blot have den nyeste version, så start installationen med "
            "knappen \"REINSTALL\" i installationsprogrammet.\r\n\r\n"
            "Har du ikke DirectX i forvejen, så start installationen med knappen \"OK\".\r\n\r\n"
            "Efter kort tid skal maskinen genstartes, og så er DirectX installeret.",
    },
    .Afinstaller = {.cmdBack = "Tilbage", .cmdUninstall = "Afinstallér", .lblUninstallCaption = "Afinstallér"},
    .LavetAf = {
        .lblLavetAf =
            "Vindrels spil-cd udgives af Vindrel Media A/S.\r\n\r\n"
            "Ansvarshavende redaktør: Karsten Holmgaard\r\n"
            "Stedfortrædende ansvarshavende redaktør: Lise Vinterberg\r\n"
            "Redaktion: Mads Kjærbøl\r\n"
            "Produktion: Rikke Damsgaard",
        .lblCopyRight = "© 1999 Vindrel Media A/S. Rettighederne til programmerne tilhører deres ophavsmænd.",
        .lblProblemer =
            "Har du problemer med cd-rom´en, kan du få hjælp på Vindrels supportlinje. Åbningstider og "
            "telefonnummer finder du i bladet.",
        .cmdNot = "Tilbage",
    },
    .Index = {.cmdBack = "Tilbage", .lblOverskrift = "SPIL PÅ DENNE CD"},
    .Vent = {
        .lblVenter = "Menuen venter på programmet fra cd-rom´en. Det kører stadig, men viser ikke noget vindue. "
                     "Du kan gå tilbage til menuen imens; programmet kører videre.",
        .cmdMenu = "Menu",
    },
};

const Sprog kSvensk = {
    .kode = "se",
    .titel = "Spel",
    .Ansvar = {
        .lblAnsvar =
            "Alla delar av den här cd:n har testats noga av Vindrels redaktion. Program från tredje part har "
            "dessutom kontrollerats mot alla kända virus med de senaste virusprogrammen.\r\n\r\n"
            "Vi rekommenderar ändå att du alltid har ett uppdaterat virusskydd igång på din dator, även när "
            "du installerar nya program.\r\n\r\n"
            "Vindrel tar inget ansvar för fel eller förlust av data som kan uppstå vid installation eller "
            "användning av programmen på cd:n.",
        .cmdOK = "OK",
    },
    .Forside = {.cmdHelp = "Hjälp", .cmdIndex = "Index", .cmdUninstall = "Avinstall."},
    .Kategori = {.cmdNot = "Tillbaka"},
    .SpilSide = {
        .cmdInstaller = "Installera",
        .cmdNot = "Tillbaka",
        .lblHarddisk = "Harddisk: ",
        .lblMB = " MB",
        .lbl3dJa = "3D grafik: Ja",
        .lbl3dNej = "3D grafik: Nej",
        .lblMaskinKrav = "Spelets systemkrav",
        .lblWarning = "Din dator uppfyller inte tillverkarens officiella krav för att spelet skall fungera. "
                      "Men försök ändå, ofta fungerar det bra ändå.",
    },
    .Help = {
        .emner = {"Så använder du cd:n", "Installera spel", "Ta bort spel", "Installera DirectX",
                  "Setup och problem"},
        .lblHelpCaption = "Hjälp",
        .cmdNot = "Tillbaka",
        .HelpTexts = {
            // 1: how to use the CD
            "Vindrels cd startar på samma språk som din version av Windows. Om det uppstår konflikter eller "
            "problem visas i stället en skärm där du själv kan välja språk.\r\n\r\n"
            "Stäng alla andra program innan du använder cd:n. Stäng också cd:n innan du kör demoversioner "
            "och spel.",
            // 2: installing a game
            "Alla spel och demoversioner måste installeras innan de kan spelas. En installation tar oftast "
            "30 till 120 sekunder, och skärmen visar hur långt den har kommit. Installationerna ser olika "
            "ut men fungerar på samma sätt:\r\n\r\n"
            "1. När du väljer knappen Installera startar spelets eget installationsprogram.\r\n"
            "2. Programmet föreslår en mapp, t.ex. C:\\Program\\Spel. Du kan godta den eller skriva en "
            "egen, t.ex. C:\\Mina spel.\r\n"
            "3. Installationen avslutas, ofta med knappen \"Finish\", och spelet är installerat.\r\n"
            "4. Stäng cd:n, öppna Start-menyn i Windows och leta upp spelets grupp och ikon.",
            // 3: removing a game
            "FÖR OVANA SPELARE:\r\n"
            "Ett spels filer ligger utspridda på flera ställen, så det räcker inte att radera spelets mapp. "
            "Med knappen Avinstall. på den här cd:n tar du bort en eller flera demoversioner med alla "
            "filer och ikoner.\r\n\r\n\r\n"
            "AVINSTALLERA I WINDOWS:\r\n"
            "Välj Start, Inställningar, Kontrollpanelen, Lägg till/ta bort program och sedan spelets namn. "
            "Det kan finnas spel för Windows 3.1, och de måste tas bort för hand.",
            // 4: installing DirectX
            "DirectX är ett tillägg till Windows som behövs för att köra spel.\r\n\r\n"
            "DirectX behöver bara installeras en gång. På den här cd:n finns version 7.0.\r\n\r\n"
            "Installationsprogrammet är på engelska, men du behöver bara svara ja på alla frågor.\r\n\r\n"
            "När installationen är klar måste datorn startas om.",
            // 5: setup and problems
            "Vissa spel måste ställas in innan du startar dem första gången. Med setup menas spelets "
            "inställningar, oftast vilken typ av ljudkort och grafikkort du har. Vanligen hittar spelet "
            "detta självt, annars kan datorns handbok hjälpa dig.\r\n\r\n"
            "Många spel har en readme-fil i sin mapp med svar på vanliga problem. Nästan alla spel har "
            "också hjälp medan du spelar, ofta på tangenten F1.",
        },
    },
    .DX = {
        .cmdNot = "Tillbaka",
        .cmdOK = "Installera",
        .lblDX =
            "Du håller på att installera DirectX, som de flesta spel behöver.\r\n\r\n"
            "Om du redan har DirectX och bara vill ha den senaste versionen startar du installationen med "
            "knappen \"REINSTALL\" i installationsprogrammet.\r\n\r\n"
            "Om du inte har DirectX startar du installationen med knappen \"OK\".\r\n\r\n"
            "Efter en kort stund måste datorn startas om, och sedan är DirectX installerat.",
    },
    .Afinstaller = {.cmdBack = "Tillbaka", .cmdUninstall = "Avinstallera", .lblUninstallCaption = "Avinstallera"},
    .LavetAf = {
        .lblLavetAf =
            "Vindrels spel-cd ges ut av Vindrel Media AB.\r\n\r\n"
            "Ansvarig utgivare: Göran Lindbeck\r\n\r\n"
            "Stf. ansvarig utgivare: Annika Sjövall\r\n\r\n"
            "Redaktion: Henrik Ålund\r\n\r\n"
            "Produktion: Maria Törnqvist",
        .lblCopyRight = "© 1999 Vindrel Media AB. Rättigheterna till programmen tillhör respektive upphovsman.",
        .lblProblemer =
            "Har du problem med cd:n hjälper Vindrels supportlinje dig. Öppettider och telefonnummer finns "
            "på sidan 6 i tidningen.",
        .cmdNot = "Tillbaka",
    },
    .Index = {.cmdBack = "Tillbaka", .lblOverskrift = "SPEL PÅ DENNA CD"},
    .Vent = {
        .lblVenter = "Menyn väntar på programmet från cd:n. Det körs fortfarande men visar inget fönster. "
                     "Du kan gå tillbaka till menyn så länge; programmet fortsätter att köras.",
        .cmdMenu = "Meny",
    },
};

const Sprog kNorsk = {
    .kode = "no",
    .titel = "Spill",
    .Ansvar = {
        .lblAnsvar =
            "Alle deler av denne CD-en er grundig testet av Vindrels egen redaksjon.\r\n\r\n"
            "Programmer fra tredjepart er i tillegg kontrollert for alle kjente virus med de nyeste "
            "virusprogrammene.\r\n\r\n"
            "Vi anbefaler likevel at du alltid har et oppdatert virusvern på datamaskinen, også når du "
            "installerer nye programmer.\r\n\r\n"
            "Vindrel tar ikke ansvar for feil eller tap av data som måtte oppstå ved installasjon eller "
            "bruk av programmene på CD-en.",
        .cmdOK = "OK",
    },
    .Forside = {.cmdHelp = "Hjelp", .cmdIndex = "Indeks", .cmdUninstall = "Avinstaller"},
    .Kategori = {.cmdNot = "Tilbake"},
    .SpilSide = {
        .cmdInstaller = "Installer",
        .cmdNot = "Tilbake",
        .lblHarddisk = "Diskplass: ",
        .lblMB = " MB",
        .lbl3dJa = "3D grafik: Ja",
        .lbl3dNej = "3D grafik: Nei",
        .lblMaskinKrav = "Spillets maskinkrav",
        .lblWarning = "Datamaskinen oppfyller ikke spillets veiledende krav! Men prøv allikevel.\r\n"
                      "Ofte kan det gå bra.",
    },
    .Help = {
        .emner = {"Slik bruker du CD-ROMen", "Installer spill", "Fjern spill", "Installer DirectX",
                  "Setup og Problemer"},
        .lblHelpCaption = "Hjelp",
        .cmdNot = "Tilbake",
        .HelpTexts = {
            // 1: how to use the CD
            "Vindrels CD-ROM starter på samme språk som Windows-versjonen din. Oppstår det konflikter "
            "eller problemer, kommer det i stedet opp et skjermbilde der du kan velge språk selv.\r\n\r\n"
            "Lukk alle andre programmer før du bruker CD-ROMen. Lukk også CD-ROMen før du kjører demoer "
            "og spill.",
            // 2: installing a game
            "Alle spill og demoer må installeres før de kan spilles. En installasjon tar vanligvis 30 til "
            "120 sekunder, og skjermen viser hvor langt den har kommet. Installasjonene er forskjellige, "
            "men virker på samme måte:\r\n\r\n"
            "1. Når du velger knappen Installer, starter spillets eget installasjonsprogram.\r\n"
            "2. Programmet foreslår en mappe, f.eks. C:\\Spill\\Demo. Du kan godta den eller skrive inn "
            "din egen, f.eks. C:\\Mine spill.\r\n"
            "3. Installasjonen avsluttes, ofte med knappen \"Finish\", og spillet er installert.\r\n"
            "4. Lukk CD-ROMen, åpne Start-menyen i Windows og finn spillets gruppe og ikon.",
            // 3: removing a game
            "FOR UERFARNE SPILLERE:\r\n"
            "Filene til et spill ligger spredt på flere steder, så det holder ikke å slette spillets "
            "mappe. Med knappen Avinstaller på denne CD-ROMen kan du fjerne én eller flere demoer med "
            "alle filer og ikoner.\r\n\r\n\r\n"
            "AVINSTALLERE I WINDOWS:\r\n"
            "Velg Start, Innstillinger, Kontrollpanel, Legg til / fjern programmer og deretter navnet på "
            "spillet. Det kan finnes spill for Windows 3.1, og de må fjernes manuelt.",
            // 4: installing DirectX
            "DirectX er en utvidelse av Windows som trengs for å kjøre spill.\r\n\r\n"
            "DirectX trenger bare å installeres én gang. På denne CD-ROMen finner du versjon 7.0.\r\n\r\n"
            "Installasjonsprogrammet er på engelsk, men du trenger bare å svare ja på alle spørsmål.\r\n\r\n"
            "Når installasjonen er ferdig, må datamaskinen startes på nytt.",
            // 5: setup and problems
            "Noen spill må settes opp før du starter dem første gang. Med setup menes spillets "
            "innstillinger, som regel hvilken type lydkort og grafikkort du har.\r\n\r\n"
            "Mange spill har en readme-fil i mappen sin med svar på vanlige problemer. Nesten alle spill "
            "gir også hjelp mens du spiller, ofte med tasten F1.",
        },
    },
    .DX = {
        .cmdNot = "Tilbake",
        .cmdOK = "Installer",
        .lblDX =
            "Du er i ferd med å installere DirectX.\r\n\r\n"
            "Installasjonen starter når du trykker på knappen Installer.\r\n\r\n"
            "Etterpå må maskinen startes på nytt.",
    },
    .Afinstaller = {.cmdBack = "Tilbake", .cmdUninstall = "Avinstaller", .lblUninstallCaption = "Avinstaller"},
    .LavetAf = {
        .lblLavetAf =
            "Vindrels spill-CD gis ut av Vindrel Media AS.\r\n\r\n"
            "Ansvarlig redaktør:\r\n"
            "Torbjørn Haugsrud\r\n"
            "Assisterende ansvarlig redaktør:\r\n"
            "Kari Nordbø\r\n"
            "Redaksjon: Eivind Strandli\r\n"
            "Produksjon: Silje Rønningen",
        .lblCopyRight = "© 1999 Vindrel Media AS. Rettighetene til programmene tilhører opphavsmennene.",
        .lblProblemer =
            "Har du problemer med CD-en, kan du få hjelp hos Vindrels brukerstøtte. Åpningstider og "
            "telefonnummer finner du i bladet.",
        .cmdNot = "Tilbake",
    },
    .Index = {.cmdBack = "Tilbake", .lblOverskrift = "SPILL PÅ DENNE CD-EN"},
    .Vent = {
        .lblVenter = "Menyen venter på programmet fra CD-en. Det kjører fortsatt, men viser ikke noe vindu. "
                     "Du kan gå tilbake til menyen så lenge; programmet fortsetter å kjøre.",
        .cmdMenu = "Meny",
    },
};

const Sprog kFinsk = {
    .kode = "fi",
    .titel = "Doravuzaz",
    .Ansvar = {
        .lblAnsvar =
            "Vindrelin toimitus on testannut huolellisesti tämän CD-ROMin kaikki osat. Kolmansien "
            "osapuolten ohjelmat on lisäksi tarkistettu kaikkien tunnettujen virusten varalta "
            "ajantasaisilla virustorjuntaohjelmilla.\r\n\r\n"
            "Suosittelemme silti, että pidät tietokoneesi virustorjunnan aina päivitettynä ja "
            "käynnissä.\r\n\r\n"
            "Vindrel ei vastaa virheistä eikä tietojen menetyksestä, joita CD-ROMin ohjelmien asentaminen "
            "tai käyttö saattaa joskus aiheuttaa.",
        .cmdOK = "OK",
    },
    .Forside = {.cmdHelp = "Apu", .cmdIndex = "Hakemisto", .cmdUninstall = "Poista"},
    .Kategori = {.cmdNot = "Takaisin"},
    .SpilSide = {
        .cmdInstaller = "Asennus",
        .cmdNot = "Takaisin",
        .lblHarddisk = "Levytilaa: ",
        .lblMB = " Mt",
        .lbl3dJa = "3D-grafiikka: Kyllä",
        .lbl3dNej = "3D-grafiikka: Ei",
        .lblMaskinKrav = "Pelin laitevaatimus",
        .lblWarning = "Tietokoneesi ei vastaa pelille asetettuja minimivaatimuksia! Voit toki yrittää pelata, "
                      "mutta peli tuskin toimii moitteettomasti.",
    },
    .Help = {
        .emner = {"Näin käytät CD-ROMia", "Asenna peli", "Poista peli", "Asenna DirectX",
                  "Setup ja ongelmatilanteet."},
        .lblHelpCaption = "Apu",
        .cmdNot = "Takaisin",
        .HelpTexts = {
            // 1: how to use the CD
            "Jos CD-ROMin käytössä ilmenee ristiriitoja tai ongelmia, näyttöön tulee kuva, jossa voit "
            "valita kielen itse.\r\n\r\n"
            "Sulje kaikki muut ohjelmat ennen kuin käytät CD-ROMia. Sulje myös CD-ROMin valikko ennen kuin "
            "käynnistät demoja ja pelejä.",
            // 2: installing a game
            "Kaikki pelit ja demot on asennettava ennen kuin niitä voi pelata. Asennus kestää yleensä 30-120 "
            "sekuntia, ja näytöllä näkyy, miten se etenee. Asennukset ovat erilaisia, mutta ne toimivat "
            "samalla tavalla:\r\n\r\n"
            "1. Kun valitset Asennus-painikkeen, pelin oma asennusohjelma käynnistyy.\r\n"
            "2. Asennusohjelma ehdottaa kansiota, esim. C:\\Pelit\\Demo. Voit hyväksyä sen tai kirjoittaa "
            "oman, esim. C:\\Omat pelit.\r\n"
            "3. Asennuksen lopuksi painetaan usein Finish-painiketta, ja peli on asennettu.\r\n"
            "4. Sulje CD-ROM, avaa Windowsin Käynnistä-valikko ja etsi pelin ryhmä ja kuvake.",
            // 3: removing a game
            "ALOITTELIJOILLE:\r\n"
            "Pelin tiedostot ovat useassa eri paikassa, joten pelin kansion poistaminen ei riitä. Tämän "
            "CD-ROMin Poista-painikkeella voit poistaa yhden tai useamman demon kaikkine tiedostoineen ja "
            "kuvakkeineen.\r\n\r\n\r\n"
            "POISTO WINDOWSISSA:\r\n"
            "Valitse Käynnistä, Asetukset, Ohjauspaneeli, Lisää tai poista sovellus ja sitten pelin nimi. "
            "Joukossa voi olla Windows 3.1 -pelejä, jotka on poistettava käsin.",
            // 4: installing DirectX
            "DirectX on Windowsin laajennus, jota tarvitaan pelien pelaamiseen.\r\n\r\n"
            "DirectX asennetaan vain kerran. Tällä CD-ROMilla on versio 7.0.\r\n\r\n"
            "Asennusohjelma on englanninkielinen, mutta riittää, että vastaat kaikkiin kysymyksiin "
            "kyllä.\r\n\r\n"
            "Asennuksen jälkeen tietokone on käynnistettävä uudelleen.",
            // 5: setup and problems
            "Jotkin pelit on määritettävä ennen ensimmäistä käynnistystä. Setup tarkoittaa pelin "
            "asetuksia, yleensä sitä, millainen äänikortti ja näytönohjain koneessa on.\r\n\r\n"
            "Monen pelin kansiossa on readme-tiedosto, josta löytyy vastauksia tavallisiin ongelmiin. "
            "Lähes kaikissa peleissä saa myös apua pelin aikana, usein F1-näppäimellä.",
        },
    },
    .DX = {
        .cmdNot = "Takaisin",
        .cmdOK = "Asenna",
        .lblDX =
            "Olet asentamassa DirectX:ää, jota useimmat pelit tarvitsevat.\r\n\r\n"
            "Jos DirectX on jo asennettu ja haluat vain uusimman version, aloita asennus "
            "asennusohjelman REINSTALL-painikkeella.\r\n\r\n"
            "Jos DirectX:ää ei ole asennettu, aloita asennus OK-painikkeella.\r\n\r\n"
            "Hetken kuluttua kone on käynnistettävä uudelleen, ja DirectX on asennettu.",
    },
    .Afinstaller = {.cmdBack = "Takaisin", .cmdUninstall = "Poista", .lblUninstallCaption = "Asennuksen poisto"},
    .LavetAf = {
        .lblLavetAf =
            "Vindrelin peli-CD:n julkaisee Vindrel Media Oy.\r\n\r\n"
            "Vastaava päätoimittaja:\r\n"
            "Jukka Harjuvaara\r\n"
            "Apulaispäätoimittaja:\r\n"
            "Sirpa Kelokoski\r\n"
            "Toimitus: Antti Rautiola\r\n"
            "Tuotanto: Mervi Lahdenperä",
        .lblCopyRight = "© 1999 Vindrel Media Oy. Ohjelmien oikeudet kuuluvat niiden tekijöille.",
        .lblProblemer =
            "Jos CD-ROMin kanssa on ongelmia, Vindrelin tukipuhelin auttaa. Aukioloajat ja puhelinnumeron "
            "löydät lehdestä.",
        .cmdNot = "Takaisin",
    },
    .Index = {.cmdBack = "Takaisin", .lblOverskrift = "TÄMÄN CD:N PELIT"},
    .Vent = {
        .lblVenter = "Valikko odottaa CD-ROMilta käynnistettyä ohjelmaa. Ohjelma on yhä käynnissä, mutta sillä "
                     "ei ole ikkunaa näkyvissä. Voit palata valikkoon sillä välin; ohjelma jatkaa toimintaansa.",
        .cmdMenu = "Valikko",
    },
};

const std::array<const Sprog*, 4> kAlleSprog = {&kDansk, &kSvensk, &kNorsk, &kFinsk};

}  // namespace

const std::array<const Sprog*, 4>& AlleSprog() { return kAlleSprog; }

const Sprog* FindSprog(const std::string& code) {
    for (const Sprog* sprog : kAlleSprog)
        if (code == sprog->kode) return sprog;
    return nullptr;
}

}  // namespace vindrel
