<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl">
<context>
    <name>BootEditor</name>
    <message>
        <source>Add BootS</source>
        <translation>Dodaj buty</translation>
    </message>
    <message>
        <source>Buty</source>
        <translation>Buty</translation>
    </message>
    <message>
        <source>Stats</source>
        <translation>Statystyki</translation>
    </message>
    <message>
        <source>Nie otwarto żadnego pliku butów.</source>
        <translation>Nie otwarto żadnego pliku butów.</translation>
    </message>
    <message>
        <source>Ostatni but ma identyfikator %1, największy możliwy.</source>
        <translation>Ostatni but ma identyfikator %1, największy możliwy.</translation>
    </message>
    <message>
        <source>Tabela ma już %1 butów lub więcej.</source>
        <translation>Tabela ma już %1 butów lub więcej.</translation>
    </message>
    <message>
        <source>Nie Można dodać nowych butów</source>
        <translation>Nie można dodać nowych butów</translation>
    </message>
    <message>
        <source>Dodawanie butów</source>
        <translation>Dodawanie butów</translation>
    </message>
</context>
<context>
    <name>BootField</name>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Grupa</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nazwa</translation>
    </message>
    <message>
        <source>Shot power</source>
        <translation>Siła strzału</translation>
    </message>
    <message>
        <source>Shot accuracy</source>
        <translation>Precyzja</translation>
    </message>
    <message>
        <source>Acceleration</source>
        <translation>Przyspieszenie</translation>
    </message>
    <message>
        <source>Top speed</source>
        <translation>Szybkość</translation>
    </message>
    <message>
        <source>Swerve</source>
        <translation>Podkręcanie</translation>
    </message>
</context>
<context>
    <name>BootsModel</name>
    <message>
        <source>tej kolumny nie można zmieniać</source>
        <translation>tej kolumny nie można zmieniać</translation>
    </message>
    <message>
        <source>znaku „%1” nie można zapisać w pliku butów</source>
        <translation>znaku „%1” nie można zapisać w pliku butów</translation>
    </message>
    <message>
        <source>nazwa ma więcej niż %1 znaków</source>
        <translation>nazwa ma więcej niż %1 znaków</translation>
    </message>
    <message>
        <source>„%1” jest poza zakresem %2–%3</source>
        <translation>„%1” jest poza zakresem %2–%3</translation>
    </message>
    <message>
        <source>„%1” nie jest liczbą całkowitą</source>
        <translation>„%1” nie jest liczbą całkowitą</translation>
    </message>
    <message>
        <source>wiersz %1 (ID %2), kolumna „%3”: %4</source>
        <translation>wiersz %1 (ID %2), kolumna „%3”: %4</translation>
    </message>
</context>
<context>
    <name>FrmHelp</name>
    <message>
        <source>I Invite for visiting! </source>
        <translation>Zapraszam do odwiedzin! </translation>
    </message>
    <message>
        <source>To correctly work of all boots,we must do some work with groups
I think everyone can handle without a problem</source>
        <translation>Aby wszystkie buty działały poprawnie, trzeba popracować nad grupami
Myślę, że każdy sobie z tym poradzi</translation>
    </message>
    <message>
        <source> Wersja %1
-Change name boots
-Change stats
-Add boots

&quot;Thanks to Brenik and Lumira &quot;Zlib&quot;</source>
        <translation> Wersja %1
-Zmiana nazw butów
-Zmiana statystyk
-Dodawanie butów

&quot;Dzięki Brenikowi i Lumirze &quot;Zlib&quot;</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Pomoc</translation>
    </message>
</context>
<context>
    <name>FrmMain</name>
    <message>
        <source>Korvane version %1  by     &quot;Vantrel&quot; &amp; &quot;Ostrevan&quot;</source>
        <translation>Korvane wersja %1  autorzy:     „Vantrel” i „Ostrevan”</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Plik</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edycja</translation>
    </message>
    <message>
        <source>Ostatnio otwierane</source>
        <translation>Ostatnio otwierane</translation>
    </message>
    <message>
        <source>save</source>
        <translation>Zapisz</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Otwórz</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Zapisz</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>Eksport CSV…</translation>
    </message>
    <message>
        <source>Import CSV…</source>
        <translation>Import CSV…</translation>
    </message>
    <message>
        <source>Eksport zmian…</source>
        <translation>Eksport zmian…</translation>
    </message>
    <message>
        <source>Zastosuj zmiany…</source>
        <translation>Zastosuj zmiany…</translation>
    </message>
    <message>
        <source>Porównaj z plikiem…</source>
        <translation>Porównaj z plikiem…</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>Za&amp;kończ</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Cofnij</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Ponów</translation>
    </message>
    <message>
        <source>Tabela butów</source>
        <translation>Tabela butów</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Pomoc</translation>
    </message>
    <message>
        <source>Eksport CSV</source>
        <translation>Eksport CSV</translation>
    </message>
    <message>
        <source>Import CSV</source>
        <translation>Import CSV</translation>
    </message>
    <message>
        <source>Eksport zmian</source>
        <translation>Eksport zmian</translation>
    </message>
    <message>
        <source>Zastosuj zmiany</source>
        <translation>Zastosuj zmiany</translation>
    </message>
    <message>
        <source>Porównaj z plikiem</source>
        <translation>Porównaj z plikiem</translation>
    </message>
    <message>
        <source>Zmiany CSV (*.csv)|*.csv|Wszystkie pliki (*.*)|*.*</source>
        <translation>Zmiany CSV (*.csv)|*.csv|Wszystkie pliki (*.*)|*.*</translation>
    </message>
    <message>
        <source>to otwarty plik butów, który eksport by zniszczył.</source>
        <translation>to otwarty plik butów, który eksport by zniszczył.</translation>
    </message>
    <message>
        <source>to kopia zapasowa otwartego pliku butów.</source>
        <translation>to kopia zapasowa otwartego pliku butów.</translation>
    </message>
    <message>
        <source>plik jest tylko do odczytu.</source>
        <translation>plik jest tylko do odczytu.</translation>
    </message>
    <message>
        <source>Nie zapisano pliku %1: %2</source>
        <translation>Nie zapisano pliku %1: %2</translation>
    </message>
    <message>
        <source>Wyeksportowano %1 do pliku %2.</source>
        <translation>Wyeksportowano %1 do pliku %2.</translation>
    </message>
    <message>
        <source>Plik %1 nie zmienia niczego w tabeli butów.</source>
        <translation>Plik %1 nie zmienia niczego w tabeli butów.</translation>
    </message>
    <message>
        <source>Import zmieni %1, doda %2 i usunie %3.</source>
        <translation>Import zmieni %1, doda %2 i usunie %3.</translation>
    </message>
    <message>
        <source>Zaimportowano %1 z pliku %2.</source>
        <translation>Zaimportowano %1 z pliku %2.</translation>
    </message>
    <message>
        <source>Nie można odczytać pliku %1: %2.</source>
        <translation>Nie można odczytać pliku %1: %2.</translation>
    </message>
    <message>
        <source>-zmiany.csv</source>
        <translation>-zmiany.csv</translation>
    </message>
    <message>
        <source>Zapisano zmiany względem pliku %1 w pliku %2 (zmienione pola: %3).</source>
        <translation>Zapisano zmiany względem pliku %1 w pliku %2 (zmienione pola: %3).</translation>
    </message>
    <message>
        <source>Nie można otworzyć pliku %1: %2.</source>
        <translation>Nie można otworzyć pliku %1: %2.</translation>
    </message>
    <message>
        <source>Plik %1 nie jest plikiem zmian:
%2</source>
        <translation>Plik %1 nie jest plikiem zmian:
%2</translation>
    </message>
    <message>
        <source>… i dalsze: %1 (wszystkie w szczegółach)</source>
        <translation>… i dalsze: %1 (wszystkie w szczegółach)</translation>
    </message>
    <message>
        <source>Zmian z pliku %1 nie zastosowano, bo nie pasują do tabeli (niezgodności: %2). Tabela się nie zmieniła.

%3</source>
        <translation>Zmian z pliku %1 nie zastosowano, bo nie pasują do tabeli (niezgodności: %2). Tabela się nie zmieniła.

%3</translation>
    </message>
    <message>
        <source>Tabela zawiera już wszystkie zmiany z pliku %1.</source>
        <translation>Tabela zawiera już wszystkie zmiany z pliku %1.</translation>
    </message>
    <message>
        <source>Zastosowano zmiany z pliku %1: zmienione buty: %2, zmienione pola: %3.</source>
        <translation>Zastosowano zmiany z pliku %1: zmienione buty: %2, zmienione pola: %3.</translation>
    </message>
    <message>
        <source>Pliki buttów (*.bin)|*.bin|Wszystkie pliki (*.*)|*.*</source>
        <translation>Pliki butów (*.bin)|*.bin|Wszystkie pliki (*.*)|*.*</translation>
    </message>
    <message>
        <source>Kopiowanie pliku do folderu roboczego</source>
        <translation>Kopiowanie pliku do folderu roboczego</translation>
    </message>
    <message>
        <source>Rozpakowywanie pliku</source>
        <translation>Rozpakowywanie pliku</translation>
    </message>
    <message>
        <source>Wczytywanie tabeli butów</source>
        <translation>Wczytywanie tabeli butów</translation>
    </message>
    <message>
        <source>Zapisywanie tabeli butów</source>
        <translation>Zapisywanie tabeli butów</translation>
    </message>
    <message>
        <source>Pakowanie tabeli butów</source>
        <translation>Pakowanie tabeli butów</translation>
    </message>
    <message>
        <source>Sprawdzanie spakowanego pliku</source>
        <translation>Sprawdzanie spakowanego pliku</translation>
    </message>
    <message>
        <source>Tworzenie kopii zapasowej</source>
        <translation>Tworzenie kopii zapasowej</translation>
    </message>
    <message>
        <source>Zastępowanie pliku</source>
        <translation>Zastępowanie pliku</translation>
    </message>
    <message>
        <source>Plik: %1
%2 nie powiodło się: %3</source>
        <translation>Plik: %1
%2 nie powiodło się: %3</translation>
    </message>
    <message>
        <source>plik jest pusty (0 bajtów).</source>
        <translation>plik jest pusty (0 bajtów).</translation>
    </message>
    <message>
        <source>plik to rozpakowana tabela butów, a nie spakowany plik gry; Korvane otwiera pliki spakowane tak, jak trzyma je gra.</source>
        <translation>plik to rozpakowana tabela butów, a nie spakowany plik gry; Korvane otwiera pliki spakowane tak, jak trzyma je gra.</translation>
    </message>
    <message>
        <source>narzędzie zlibtool nie utworzyło rozpakowanego pliku.</source>
        <translation>narzędzie zlibtool nie utworzyło rozpakowanego pliku.</translation>
    </message>
    <message>
        <source>plik nie zawiera tabeli butów.</source>
        <translation>plik nie zawiera tabeli butów.</translation>
    </message>
    <message>
        <source>w folderze programu %1 brak narzędzia %2: folder programu jest niekompletny (rozpakuj program jeszcze raz).</source>
        <translation>w folderze programu %1 brak narzędzia %2: folder programu jest niekompletny (rozpakuj program jeszcze raz).</translation>
    </message>
    <message>
        <source>ścieżka narzędzia %1 ma %2 znaków, a Windows uruchamia programy ze ścieżek do %3 znaków: przenieś folder programu wyżej.</source>
        <translation>ścieżka narzędzia %1 ma %2 znaków, a Windows uruchamia programy ze ścieżek do %3 znaków: przenieś folder programu wyżej.</translation>
    </message>
    <message>
        <source>nie można uruchomić narzędzia zlibtool (%1).</source>
        <translation>nie można uruchomić narzędzia zlibtool (%1).</translation>
    </message>
    <message>
        <source>narzędzie zlibtool przerwało pracę awaryjnie.</source>
        <translation>narzędzie zlibtool przerwało pracę awaryjnie.</translation>
    </message>
    <message>
        <source>plik nie jest poprawnie spakowaną tabelą butów (uszkodzony lub obcięty).</source>
        <translation>plik nie jest poprawnie spakowaną tabelą butów (uszkodzony lub obcięty).</translation>
    </message>
    <message>
        <source>narzędzie zlibtool zakończyło pracę z kodem %1.</source>
        <translation>narzędzie zlibtool zakończyło pracę z kodem %1.</translation>
    </message>
    <message>
        <source>Otwórz plik buttów</source>
        <translation>Otwórz plik butów</translation>
    </message>
    <message>
        <source>Nie znaleziono pliku %1</source>
        <translation>Nie znaleziono pliku %1</translation>
    </message>
    <message>
        <source>Błąd wczytywania pliku</source>
        <translation>Błąd wczytywania pliku</translation>
    </message>
    <message>
        <source>plik leży w folderze roboczym programu.</source>
        <translation>plik leży w folderze roboczym programu.</translation>
    </message>
    <message>
        <source>nie można utworzyć folderu roboczego %1.</source>
        <translation>nie można utworzyć folderu roboczego %1.</translation>
    </message>
    <message>
        <source>nie można usunąć pliku %1.</source>
        <translation>nie można usunąć pliku %1.</translation>
    </message>
    <message>
        <source>Liczba butów w pliku %1: %2.
Lista pokazuje pierwsze %3 butów; okno „Tabela butów” (Ctrl+T) pokazuje i zmienia wszystkie.</source>
        <translation>Liczba butów w pliku %1: %2.
Lista pokazuje pierwsze %3 butów; okno „Tabela butów” (Ctrl+T) pokazuje i zmienia wszystkie.</translation>
    </message>
    <message>
        <source>Po butach plik %1 zawiera jeszcze %2; zostaną zachowane bez zmian.</source>
        <translation>Po butach plik %1 zawiera jeszcze %2; zostaną zachowane bez zmian.</translation>
    </message>
    <message>
        <source>Nie otwarto żadnego pliku.</source>
        <translation>Nie otwarto żadnego pliku.</translation>
    </message>
    <message>
        <source>nie można zapisać pliku.</source>
        <translation>nie można zapisać pliku.</translation>
    </message>
    <message>
        <source>spakowany plik nie odpowiada zapisanej tabeli.</source>
        <translation>spakowany plik nie odpowiada zapisanej tabeli.</translation>
    </message>
    <message>
        <source>narzędzie zlibtool nie utworzyło spakowanego pliku.</source>
        <translation>narzędzie zlibtool nie utworzyło spakowanego pliku.</translation>
    </message>
    <message>
        <source>Zapisano plik</source>
        <translation>Zapisano plik</translation>
    </message>
    <message>
        <source>Przywracanie zmian</source>
        <translation>Przywracanie zmian</translation>
    </message>
    <message>
        <source>Niezapisane zmiany nie będą odtworzone po awarii: %1. Można pracować dalej.</source>
        <translation>Niezapisane zmiany nie będą odtworzone po awarii: %1. Można pracować dalej.</translation>
    </message>
    <message>
        <source>Pliku odzyskiwania %1 nie można odczytać (jest uszkodzony albo pochodzi z nowszej wersji Korvane). Nic z niego nie przywrócono; przeniesiono go jako %2.</source>
        <translation>Pliku odzyskiwania %1 nie można odczytać (jest uszkodzony albo pochodzi z nowszej wersji Korvane). Nic z niego nie przywrócono; przeniesiono go jako %2.</translation>
    </message>
    <message>
        <source>Pliku %1 już nie ma, więc niezapisanych zmian w nim nie można przywrócić.</source>
        <translation>Pliku %1 już nie ma, więc niezapisanych zmian w nim nie można przywrócić.</translation>
    </message>
    <message>
        <source>Niezapisanych zmian nie przywrócono: plik %1 zmienił się od tamtej pory i nie pasują do niego (niezgodności: %2). Tabela się nie zmieniła.</source>
        <translation>Niezapisanych zmian nie przywrócono: plik %1 zmienił się od tamtej pory i nie pasują do niego (niezgodności: %2). Tabela się nie zmieniła.</translation>
    </message>
    <message>
        <source>Zachować te zmiany jako plik zmian?</source>
        <translation>Zachować te zmiany jako plik zmian?</translation>
    </message>
    <message>
        <source>Zachowaj zmiany</source>
        <translation>Zachowaj zmiany</translation>
    </message>
    <message>
        <source>zmiany.csv</source>
        <translation>zmiany.csv</translation>
    </message>
    <message>
        <source>Zapisano niezapisane zmiany w pliku %1; korvane-table apply albo Zastosuj zmiany… przenoszą je do tabeli.</source>
        <translation>Zapisano niezapisane zmiany w pliku %1; korvane-table apply albo Zastosuj zmiany… przenoszą je do tabeli.</translation>
    </message>
    <message>
        <source>Wyczyść listę</source>
        <translation>Wyczyść listę</translation>
    </message>
    <message>
        <source>nie można go otworzyć (%1)</source>
        <translation>nie można go otworzyć (%1)</translation>
    </message>
    <message>
        <source>błąd odczytu (%1)</source>
        <translation>błąd odczytu (%1)</translation>
    </message>
    <message>
        <source>plik jest pusty</source>
        <translation>plik jest pusty</translation>
    </message>
    <message>
        <source>to nie jest plik tabeli butów</source>
        <translation>to nie jest plik tabeli butów</translation>
    </message>
    <message>
        <source>tabela urywa się przed ostatnim butem</source>
        <translation>tabela urywa się przed ostatnim butem</translation>
    </message>
    <message>
        <source>spakowany plik jest uszkodzony</source>
        <translation>spakowany plik jest uszkodzony</translation>
    </message>
    <message>
        <source>Plik %1 nie został zmieniony.</source>
        <translation>Plik %1 nie został zmieniony.</translation>
    </message>
    <message>
        <source>Komunikat narzędzia: %1</source>
        <translation>Komunikat narzędzia: %1</translation>
    </message>
    <message>
        <source>Nie można wczytać pliku CSV %1:</source>
        <translation>Nie można wczytać pliku CSV %1:</translation>
    </message>
</context>
<context>
    <name>FrmProgress</name>
    <message>
        <source>Zatrzymaj</source>
        <translation>Zatrzymaj</translation>
    </message>
</context>
<context>
    <name>FrmTable</name>
    <message>
        <source>Tabela butów</source>
        <translation>Tabela butów</translation>
    </message>
    <message>
        <source>Szukaj w nazwach</source>
        <translation>Szukaj w nazwach</translation>
    </message>
    <message>
        <source>&amp;Filtr nazw:</source>
        <translation>&amp;Filtr nazw:</translation>
    </message>
    <message>
        <source>Cofnij</source>
        <translation>Cofnij</translation>
    </message>
    <message>
        <source>Ponów</source>
        <translation>Ponów</translation>
    </message>
    <message>
        <source>Wpisz we wszystkie zaznaczone</source>
        <translation>Wpisz we wszystkie zaznaczone</translation>
    </message>
    <message>
        <source>Zwiększ o 1</source>
        <translation>Zwiększ o 1</translation>
    </message>
    <message>
        <source>Zmniejsz o 1</source>
        <translation>Zmniejsz o 1</translation>
    </message>
    <message>
        <source>Kopiuj</source>
        <translation>Kopiuj</translation>
    </message>
    <message>
        <source>Wklej</source>
        <translation>Wklej</translation>
    </message>
    <message>
        <source>Wpisano „%1”: %2</source>
        <translation>Wpisano „%1”: %2</translation>
    </message>
    <message>
        <source>, pominięto %1 (pierwsza: %2)</source>
        <translation>, pominięto %1 (pierwsza: %2)</translation>
    </message>
    <message>
        <source>blok wychodzi poza ostatni wiersz lub kolumnę</source>
        <translation>blok wychodzi poza ostatni wiersz lub kolumnę</translation>
    </message>
    <message>
        <source>Wklejanie</source>
        <translation>Wklejanie</translation>
    </message>
    <message>
        <source>Buty różne od pliku: %1</source>
        <translation>Buty różne od pliku: %1</translation>
    </message>
    <message>
        <source>Porównanie z plikiem %1: różne buty: %2, różne pola: %3</source>
        <translation>Porównanie z plikiem %1: różne buty: %2, różne pola: %3</translation>
    </message>
    <message>
        <source>Nic nie wklejono: %1</source>
        <translation>Nic nie wklejono: %1</translation>
    </message>
</context>
<context>
    <name>ImportPreview</name>
    <message>
        <source>Import CSV</source>
        <translation>Import CSV</translation>
    </message>
    <message>
        <source>Importuj</source>
        <translation>Importuj</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Anuluj</translation>
    </message>
</context>
<context>
    <name>MessageBoxes</name>
    <message>
        <source>Wystąpił błąd</source>
        <translation>Wystąpił błąd</translation>
    </message>
    <message>
        <source>Zapisać zmiany w pliku %1?</source>
        <translation>Zapisać zmiany w pliku %1?</translation>
    </message>
    <message>
        <source>Plik %1 został zmieniony na dysku przez inny program. Zastąpić go?</source>
        <translation>Plik %1 został zmieniony na dysku przez inny program. Zastąpić go?</translation>
    </message>
    <message>
        <source>Zastąp</source>
        <translation>Zastąp</translation>
    </message>
    <message>
        <source>Porównaj</source>
        <translation>Porównaj</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Które zmiany pliku %1 zapisać?

Od oryginału gry: wszystkie zmiany względem kopii %2, którą Korvane zrobił przed pierwszym zapisem.
Od ostatniego zapisu: tylko zmiany względem pliku %1 na dysku.</source>
        <translation>Które zmiany pliku %1 zapisać?

Od oryginału gry: wszystkie zmiany względem kopii %2, którą Korvane zrobił przed pierwszym zapisem.
Od ostatniego zapisu: tylko zmiany względem pliku %1 na dysku.</translation>
    </message>
    <message>
        <source>Od oryginału</source>
        <translation>Od oryginału</translation>
    </message>
    <message>
        <source>Od ostatniego zapisu</source>
        <translation>Od ostatniego zapisu</translation>
    </message>
    <message>
        <source>Korvane został zamknięty bez zapisania zmian w pliku %1 (zmienione buty: %2, ostatnia zmiana: %3). Przywrócić te zmiany?</source>
        <translation>Korvane został zamknięty bez zapisania zmian w pliku %1 (zmienione buty: %2, ostatnia zmiana: %3). Przywrócić te zmiany?</translation>
    </message>
    <message>
        <source>Przywróć</source>
        <translation>Przywróć</translation>
    </message>
    <message>
        <source>Odrzuć</source>
        <translation>Odrzuć</translation>
    </message>
    <message>
        <source>Później</source>
        <translation>Później</translation>
    </message>
    <message>
        <source>Zapisz jako plik zmian…</source>
        <translation>Zapisz jako plik zmian…</translation>
    </message>
    <message>
        <source>Nie zapisuj</source>
        <translation>Nie zapisuj</translation>
    </message>
    <message>
        <source>Trwa zapisywanie pliku %1.

Zatrzymać je? Plik %1 zostanie taki, jaki był, a niezapisane zmiany zostaną utracone.
Można też zaczekać, aż zapisywanie się skończy.</source>
        <translation>Trwa zapisywanie pliku %1.

Zatrzymać je? Plik %1 zostanie taki, jaki był, a niezapisane zmiany zostaną utracone.
Można też zaczekać, aż zapisywanie się skończy.</translation>
    </message>
    <message>
        <source>Trwa otwieranie pliku %1.

Zatrzymać je? Plik %1 nie zostanie otwarty.
Można też zaczekać, aż otwieranie się skończy.</source>
        <translation>Trwa otwieranie pliku %1.

Zatrzymać je? Plik %1 nie zostanie otwarty.
Można też zaczekać, aż otwieranie się skończy.</translation>
    </message>
    <message>
        <source>Zatrzymaj</source>
        <translation>Zatrzymaj</translation>
    </message>
    <message>
        <source>Zaczekaj</source>
        <translation>Zaczekaj</translation>
    </message>
</context>
<context>
    <name>NameValidator</name>
    <message>
        <source>Znaku „%1” nie można zapisać w pliku butów (kodowanie Windows-1250).</source>
        <translation>Znaku „%1” nie można zapisać w pliku butów (kodowanie Windows-1250).</translation>
    </message>
</context>
<context>
    <name>Qel_Process</name>
    <message>
        <source>pusty wiersz polecenia</source>
        <translation>pusty wiersz polecenia</translation>
    </message>
</context>
<context>
    <name>RecoveryJournal</name>
    <message>
        <source>nie można zapisać pliku %1 (%2)</source>
        <translation>nie można zapisać pliku %1 (%2)</translation>
    </message>
    <message>
        <source>nie można usunąć pliku %1 (%2)</source>
        <translation>nie można usunąć pliku %1 (%2)</translation>
    </message>
</context>
<context>
    <name>TableChangesModel</name>
    <message>
        <source>„%1”</source>
        <translation>„%1”</translation>
    </message>
    <message>
        <source>nowy but</source>
        <translation>nowy but</translation>
    </message>
    <message>
        <source>usunięty but</source>
        <translation>usunięty but</translation>
    </message>
    <message>
        <source>Kolumna</source>
        <translation>Kolumna</translation>
    </message>
    <message>
        <source>Było</source>
        <translation>Było</translation>
    </message>
    <message>
        <source>Będzie</source>
        <translation>Będzie</translation>
    </message>
</context>
<context>
    <name>Texts</name>
    <message>
        <source>„%1”, %2</source>
        <translation>„%1”, %2</translation>
    </message>
    <message>
        <source>plik jest pusty</source>
        <translation>plik jest pusty</translation>
    </message>
    <message>
        <source>niepoprawny tekst UTF-16</source>
        <translation>niepoprawny tekst UTF-16</translation>
    </message>
    <message>
        <source>kolumny wiersza nagłówka nie są rozdzielone przecinkiem, średnikiem ani tabulatorem</source>
        <translation>kolumny wiersza nagłówka nie są rozdzielone przecinkiem, średnikiem ani tabulatorem</translation>
    </message>
    <message>
        <source>w wierszu nagłówka musi tu być „%1”</source>
        <translation>w wierszu nagłówka musi tu być „%1”</translation>
    </message>
    <message>
        <source>tej kolumny brakuje w wierszu nagłówka</source>
        <translation>tej kolumny brakuje w wierszu nagłówka</translation>
    </message>
    <message>
        <source>nadmiarowa kolumna w wierszu nagłówka</source>
        <translation>nadmiarowa kolumna w wierszu nagłówka</translation>
    </message>
    <message>
        <source>po wierszu nagłówka nie ma żadnego buta</source>
        <translation>po wierszu nagłówka nie ma żadnego buta</translation>
    </message>
    <message>
        <source>więcej butów, niż zmieści plik danych butów</source>
        <translation>więcej butów, niż zmieści plik danych butów</translation>
    </message>
    <message>
        <source>pusty wiersz</source>
        <translation>pusty wiersz</translation>
    </message>
    <message>
        <source>wiersz kończy się przed tą kolumną</source>
        <translation>wiersz kończy się przed tą kolumną</translation>
    </message>
    <message>
        <source>nadmiarowa kolumna za ostatnią</source>
        <translation>nadmiarowa kolumna za ostatnią</translation>
    </message>
    <message>
        <source>pole otwarte cudzysłowem nie ma cudzysłowu zamykającego</source>
        <translation>pole otwarte cudzysłowem nie ma cudzysłowu zamykającego</translation>
    </message>
    <message>
        <source>cudzysłów wewnątrz pola, które nie zaczyna się od cudzysłowu</source>
        <translation>cudzysłów wewnątrz pola, które nie zaczyna się od cudzysłowu</translation>
    </message>
    <message>
        <source>tekst po cudzysłowie zamykającym pole</source>
        <translation>tekst po cudzysłowie zamykającym pole</translation>
    </message>
    <message>
        <source>znak powrotu karetki (CR) bez znaku nowego wiersza (LF) po nim</source>
        <translation>znak powrotu karetki (CR) bez znaku nowego wiersza (LF) po nim</translation>
    </message>
    <message>
        <source>puste pole, a musi tu być liczba od 0 do 255</source>
        <translation>puste pole, a musi tu być liczba od 0 do 255</translation>
    </message>
    <message>
        <source>liczba %1 jest spoza zakresu od 0 do 255</source>
        <translation>liczba %1 jest spoza zakresu od 0 do 255</translation>
    </message>
    <message>
        <source>to nie jest liczba całkowita od 0 do 255</source>
        <translation>to nie jest liczba całkowita od 0 do 255</translation>
    </message>
    <message>
        <source>to nie jest liczba całkowita</source>
        <translation>to nie jest liczba całkowita</translation>
    </message>
    <message>
        <source>jest %1 zamiast %2; wiersze muszą zachować kolejność tabeli</source>
        <translation>jest %1 zamiast %2; wiersze muszą zachować kolejność tabeli</translation>
    </message>
    <message>
        <source>nazwa nie jest poprawnym tekstem UTF-8</source>
        <translation>nazwa nie jest poprawnym tekstem UTF-8</translation>
    </message>
    <message>
        <source>znaku nr %1 nazwy (%2) nie ma w kodowaniu Windows-1250</source>
        <translation>znaku nr %1 nazwy (%2) nie ma w kodowaniu Windows-1250</translation>
    </message>
    <message>
        <source>nazwa zawiera znak NUL, który by ją zakończył</source>
        <translation>nazwa zawiera znak NUL, który by ją zakończył</translation>
    </message>
    <message>
        <source>nazwa ma %1, a pole nazwy mieści najwyżej %2</source>
        <translation>nazwa ma %1, a pole nazwy mieści najwyżej %2</translation>
    </message>
    <message>
        <source>„%1” to nie jest nazwa żadnej kolumny buta</source>
        <translation>„%1” to nie jest nazwa żadnej kolumny buta</translation>
    </message>
    <message>
        <source>pozycja %1 po %2; wiersze muszą iść według pozycji</source>
        <translation>pozycja %1 po %2; wiersze muszą iść według pozycji</translation>
    </message>
    <message>
        <source>„%1” po „%2”; wiersze jednego buta muszą iść w kolejności kolumn, każda kolumna raz</source>
        <translation>„%1” po „%2”; wiersze jednego buta muszą iść w kolejności kolumn, każda kolumna raz</translation>
    </message>
    <message>
        <source>jest %1 zamiast %2; wszystkie wiersze buta mają to samo id</source>
        <translation>jest %1 zamiast %2; wszystkie wiersze buta mają to samo id</translation>
    </message>
    <message>
        <source>jest %1, a id wiersza to %2</source>
        <translation>jest %1, a id wiersza to %2</translation>
    </message>
    <message>
        <source>musi być puste, bo but jest dodawany</source>
        <translation>musi być puste, bo but jest dodawany</translation>
    </message>
    <message>
        <source>musi być puste, bo but jest usuwany</source>
        <translation>musi być puste, bo but jest usuwany</translation>
    </message>
    <message>
        <source>but dodawany lub usuwany na pozycji %1 nie ma wiersza kolumny „%2”</source>
        <translation>but dodawany lub usuwany na pozycji %1 nie ma wiersza kolumny „%2”</translation>
    </message>
    <message>
        <source>buty dodawane lub usuwane idą po wszystkich zmienianych, pozycja po pozycji, a jedna łatka nie może zarazem dodawać i usuwać</source>
        <translation>buty dodawane lub usuwane idą po wszystkich zmienianych, pozycja po pozycji, a jedna łatka nie może zarazem dodawać i usuwać</translation>
    </message>
    <message>
        <source>nieznany błąd</source>
        <translation>nieznany błąd</translation>
    </message>
    <message numerus="yes">
        <source>%n butów</source>
        <translation>
            <numerusform>%n but</numerusform>
            <numerusform>%n buty</numerusform>
            <numerusform>%n butów</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n bajtów</source>
        <translation>
            <numerusform>%n bajt</numerusform>
            <numerusform>%n bajty</numerusform>
            <numerusform>%n bajtów</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n komórek</source>
        <translation>
            <numerusform>%n komórka</numerusform>
            <numerusform>%n komórki</numerusform>
            <numerusform>%n komórek</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n znaków</source>
        <translation>
            <numerusform>%n znak</numerusform>
            <numerusform>%n znaki</numerusform>
            <numerusform>%n znaków</numerusform>
        </translation>
    </message>
    <message>
        <source>Wiersz %1</source>
        <translation>Wiersz %1</translation>
    </message>
    <message>
        <source>, kolumna %1</source>
        <translation>, kolumna %1</translation>
    </message>
    <message>
        <source>, kolumna „%1”</source>
        <translation>, kolumna „%1”</translation>
    </message>
    <message>
        <source>plik zapisany w folderze %1 nie odczytuje się tak, jak go zapisano.</source>
        <translation>plik zapisany w folderze %1 nie odczytuje się tak, jak go zapisano.</translation>
    </message>
    <message>
        <source>nie można utworzyć pliku w folderze %1: %2</source>
        <translation>nie można utworzyć pliku w folderze %1: %2</translation>
    </message>
    <message>
        <source>brak buta</source>
        <translation>brak buta</translation>
    </message>
    <message>
        <source>butów: %1</source>
        <translation>butów: %1</translation>
    </message>
    <message>
        <source>„%1”</source>
        <translation>„%1”</translation>
    </message>
    <message>
        <source>pozycja %1 (ID %2), kolumna %3: zmiany zakładają %4, a plik ma %5</source>
        <translation>pozycja %1 (ID %2), kolumna %3: zmiany zakładają %4, a plik ma %5</translation>
    </message>
    <message>
        <source>Inny program (na przykład gra) może mieć ten plik otwarty: zamknij go i spróbuj ponownie.</source>
        <translation>Inny program (na przykład gra) może mieć ten plik otwarty: zamknij go i spróbuj ponownie.</translation>
    </message>
</context>
<context>
    <name>ToolRun</name>
    <message>
        <source>Pakowanie pliku %1…</source>
        <translation>Pakowanie pliku %1…</translation>
    </message>
    <message>
        <source>Rozpakowywanie pliku %1…</source>
        <translation>Rozpakowywanie pliku %1…</translation>
    </message>
</context>
</TS>
