#pragma once
// What `orvanta --help` and `orvanta --version` print.

namespace orvanta {

inline constexpr char kCommandLineUsage[] =
    "Uso: orvanta [opzioni]\n"
    "Scrive il calendario da parete in PDF senza aprire la finestra.\n"
    "\n"
    "  --year ANNO             anno del calendario, da 1900 a 2100, oppure next per\n"
    "                          l'anno prossimo (predefinito: l'anno in corso)\n"
    "  --output FILE           file PDF da scrivere (predefinito: Orvanta.pdf nella\n"
    "                          cartella temporanea)\n"
    "  --ics FILE              scrive anche gli eventi dell'anno in formato iCalendar\n"
    "                          (festività, ricorrenze, fasi lunari, ora legale, note\n"
    "                          personali e turno); senza --output solo questo file\n"
    "  --open                  apre il calendario con il visualizzatore PDF predefinito\n"
    "  --mono                  stampa in bianco e nero\n"
    "  --text-color COLORE     colore del testo: black, blue o green (predefinito black)\n"
    "  --no-side-columns       senza le colonne del mese precedente e successivo\n"
    "  --no-progressive        senza i numeri progressivi dei giorni e delle settimane\n"
    "  --no-3d                 senza l'effetto tridimensionale del testo\n"
    "  --no-zodiac             senza le icone del periodo zodiacale\n"
    "  --no-ephemeris          senza le effemeridi solari e lunari\n"
    "  --no-pictures           senza le immagini degli eventi\n"
    "  --no-religious          senza le ricorrenze religiose\n"
    "  --no-footnotes          senza le note a piè di pagina\n"
    "  --no-notes              senza le note personali\n"
    "  --no-shift              senza il turno\n"
    "  --header-text TESTO     intestazione di testo (al massimo 40 caratteri)\n"
    "  --header-color #RRGGBB  colore dell'intestazione di testo (predefinito #000000)\n"
    "  --header-image FILE     intestazione con un'immagine bitmap (210 x 25 mm)\n"
    "  --footer-text TESTO     piè di pagina di testo (al massimo 30 caratteri)\n"
    "  --footer-color #RRGGBB  colore del piè di pagina di testo (predefinito #000000)\n"
    "  --footer-image FILE     piè di pagina con un'immagine bitmap (100 x 12 mm)\n"
    "  --notes FILE            note personali (predefinito: Notes.dat accanto al programma)\n"
    "  --shift FILE            turno (predefinito: Turno.txt accanto al programma)\n"
    "  -h, --help              mostra questo aiuto\n"
    "  -v, --version           mostra la versione\n"
    "\n"
    "Le note personali e il turno si stampano quando il loro file esiste. Le opzioni\n"
    "--no-... valgono anche per il file iCalendar, dove --no-ephemeris toglie le fasi\n"
    "lunari e i cambi dell'ora. Le immagini sono bitmap Windows non compresse da 1,\n"
    "4, 8 o 24 bit per pixel. I percorsi relativi partono dalla cartella di lavoro;\n"
    "i file da scrivere non possono essere uno di quelli letti.\n"
    "Esce con 0 quando il calendario è scritto (e ne stampa il percorso), con 1 quando\n"
    "non si può scrivere, con 2 per un'opzione o un valore non validi.\n";

}  // namespace orvanta
