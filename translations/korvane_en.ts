<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>BootEditor</name>
    <message>
        <source>Add BootS</source>
        <translation>Add boots</translation>
    </message>
    <message>
        <source>Buty</source>
        <translation>Boots</translation>
    </message>
    <message>
        <source>Stats</source>
        <translation>Stats</translation>
    </message>
    <message>
        <source>Nie otwarto żadnego pliku butów.</source>
        <translation>No boots file is open.</translation>
    </message>
    <message>
        <source>Ostatni but ma identyfikator %1, największy możliwy.</source>
        <translation>The last boot has the identifier %1, the highest possible.</translation>
    </message>
    <message>
        <source>Tabela ma już %1 butów lub więcej.</source>
        <translation>The table already has %1 boots or more.</translation>
    </message>
    <message>
        <source>Nie Można dodać nowych butów</source>
        <translation>Cannot add new boots</translation>
    </message>
    <message>
        <source>Dodawanie butów</source>
        <translation>Adding boots</translation>
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
        <translation>Group</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Shot power</source>
        <translation>Shot power</translation>
    </message>
    <message>
        <source>Shot accuracy</source>
        <translation>Shot accuracy</translation>
    </message>
    <message>
        <source>Acceleration</source>
        <translation>Acceleration</translation>
    </message>
    <message>
        <source>Top speed</source>
        <translation>Top speed</translation>
    </message>
    <message>
        <source>Swerve</source>
        <translation>Swerve</translation>
    </message>
</context>
<context>
    <name>BootsModel</name>
    <message>
        <source>tej kolumny nie można zmieniać</source>
        <translation>this column cannot be changed</translation>
    </message>
    <message>
        <source>znaku „%1” nie można zapisać w pliku butów</source>
        <translation>the character “%1” cannot be stored in the boots file</translation>
    </message>
    <message>
        <source>nazwa ma więcej niż %1 znaków</source>
        <translation>the name is longer than %1 characters</translation>
    </message>
    <message>
        <source>„%1” jest poza zakresem %2–%3</source>
        <translation>“%1” is outside the range %2–%3</translation>
    </message>
    <message>
        <source>„%1” nie jest liczbą całkowitą</source>
        <translation>“%1” is not a whole number</translation>
    </message>
    <message>
        <source>wiersz %1 (ID %2), kolumna „%3”: %4</source>
        <translation>row %1 (ID %2), column “%3”: %4</translation>
    </message>
</context>
<context>
    <name>FrmHelp</name>
    <message>
        <source>I Invite for visiting! </source>
        <translation>You are welcome to visit! </translation>
    </message>
    <message>
        <source>To correctly work of all boots,we must do some work with groups
I think everyone can handle without a problem</source>
        <translation>For all boots to work correctly, the groups need some work
I think everyone can manage it without a problem</translation>
    </message>
    <message>
        <source> Wersja %1
-Change name boots
-Change stats
-Add boots

&quot;Thanks to Brenik and Lumira &quot;Zlib&quot;</source>
        <translation> Version %1
-Change boot names
-Change stats
-Add boots

&quot;Thanks to Brenik and Lumira &quot;Zlib&quot;</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>FrmMain</name>
    <message>
        <source>Korvane version %1  by     &quot;Vantrel&quot; &amp; &quot;Ostrevan&quot;</source>
        <translation>Korvane version %1  by     &quot;Vantrel&quot; &amp; &quot;Ostrevan&quot;</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Ostatnio otwierane</source>
        <translation>Recent files</translation>
    </message>
    <message>
        <source>save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>Export CSV…</translation>
    </message>
    <message>
        <source>Import CSV…</source>
        <translation>Import CSV…</translation>
    </message>
    <message>
        <source>Eksport zmian…</source>
        <translation>Export patch…</translation>
    </message>
    <message>
        <source>Zastosuj zmiany…</source>
        <translation>Apply patch…</translation>
    </message>
    <message>
        <source>Porównaj z plikiem…</source>
        <translation>Compare with file…</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Exit</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>Tabela butów</source>
        <translation>Boots table</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Eksport CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>Import CSV</source>
        <translation>Import CSV</translation>
    </message>
    <message>
        <source>Eksport zmian</source>
        <translation>Export patch</translation>
    </message>
    <message>
        <source>Zastosuj zmiany</source>
        <translation>Apply patch</translation>
    </message>
    <message>
        <source>Porównaj z plikiem</source>
        <translation>Compare with file</translation>
    </message>
    <message>
        <source>Zmiany CSV (*.csv)|*.csv|Wszystkie pliki (*.*)|*.*</source>
        <translation>Patches (*.csv)|*.csv|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>to otwarty plik butów, który eksport by zniszczył.</source>
        <translation>it is the open boots file, which the export would destroy.</translation>
    </message>
    <message>
        <source>to kopia zapasowa otwartego pliku butów.</source>
        <translation>it is the backup of the open boots file.</translation>
    </message>
    <message>
        <source>plik jest tylko do odczytu.</source>
        <translation>the file is read-only.</translation>
    </message>
    <message>
        <source>Nie zapisano pliku %1: %2</source>
        <translation>The file %1 was not written: %2</translation>
    </message>
    <message>
        <source>Wyeksportowano %1 do pliku %2.</source>
        <translation>Exported %1 to the file %2.</translation>
    </message>
    <message>
        <source>Plik %1 nie zmienia niczego w tabeli butów.</source>
        <translation>The file %1 changes nothing in the boots table.</translation>
    </message>
    <message>
        <source>Import zmieni %1, doda %2 i usunie %3.</source>
        <translation>The import will change %1, add %2 and remove %3.</translation>
    </message>
    <message>
        <source>Zaimportowano %1 z pliku %2.</source>
        <translation>Imported %1 from the file %2.</translation>
    </message>
    <message>
        <source>Nie można odczytać pliku %1: %2.</source>
        <translation>Cannot read the file %1: %2.</translation>
    </message>
    <message>
        <source>-zmiany.csv</source>
        <translation>-patch.csv</translation>
    </message>
    <message>
        <source>Zapisano zmiany względem pliku %1 w pliku %2 (zmienione pola: %3).</source>
        <translation>Saved the changes against the file %1 in the file %2 (fields changed: %3).</translation>
    </message>
    <message>
        <source>Nie można otworzyć pliku %1: %2.</source>
        <translation>Cannot open the file %1: %2.</translation>
    </message>
    <message>
        <source>Plik %1 nie jest plikiem zmian:
%2</source>
        <translation>The file %1 is not a patch:
%2</translation>
    </message>
    <message>
        <source>… i dalsze: %1 (wszystkie w szczegółach)</source>
        <translation>… and more: %1 (all of them in the details)</translation>
    </message>
    <message>
        <source>Zmian z pliku %1 nie zastosowano, bo nie pasują do tabeli (niezgodności: %2). Tabela się nie zmieniła.

%3</source>
        <translation>The changes of the file %1 were not applied: they do not fit the table (clashes: %2). The table has not changed.

%3</translation>
    </message>
    <message>
        <source>Tabela zawiera już wszystkie zmiany z pliku %1.</source>
        <translation>The table already holds every change of the file %1.</translation>
    </message>
    <message>
        <source>Zastosowano zmiany z pliku %1: zmienione buty: %2, zmienione pola: %3.</source>
        <translation>Applied the changes of the file %1: boots changed: %2, fields changed: %3.</translation>
    </message>
    <message>
        <source>Pliki buttów (*.bin)|*.bin|Wszystkie pliki (*.*)|*.*</source>
        <translation>Boots files (*.bin)|*.bin|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Kopiowanie pliku do folderu roboczego</source>
        <translation>Copying the file to the working folder</translation>
    </message>
    <message>
        <source>Rozpakowywanie pliku</source>
        <translation>Unpacking the file</translation>
    </message>
    <message>
        <source>Wczytywanie tabeli butów</source>
        <translation>Reading the boots table</translation>
    </message>
    <message>
        <source>Zapisywanie tabeli butów</source>
        <translation>Writing the boots table</translation>
    </message>
    <message>
        <source>Pakowanie tabeli butów</source>
        <translation>Packing the boots table</translation>
    </message>
    <message>
        <source>Sprawdzanie spakowanego pliku</source>
        <translation>Checking the packed file</translation>
    </message>
    <message>
        <source>Tworzenie kopii zapasowej</source>
        <translation>Making the backup</translation>
    </message>
    <message>
        <source>Zastępowanie pliku</source>
        <translation>Replacing the file</translation>
    </message>
    <message>
        <source>Plik: %1
%2 nie powiodło się: %3</source>
        <translation>File: %1
%2 failed: %3</translation>
    </message>
    <message>
        <source>plik jest pusty (0 bajtów).</source>
        <translation>the file is empty (0 bytes).</translation>
    </message>
    <message>
        <source>plik to rozpakowana tabela butów, a nie spakowany plik gry; Korvane otwiera pliki spakowane tak, jak trzyma je gra.</source>
        <translation>the file is an unpacked boots table, not the game&apos;s packed file; Korvane opens files packed as the game keeps them.</translation>
    </message>
    <message>
        <source>narzędzie zlibtool nie utworzyło rozpakowanego pliku.</source>
        <translation>the zlibtool tool did not create the unpacked file.</translation>
    </message>
    <message>
        <source>plik nie zawiera tabeli butów.</source>
        <translation>the file holds no boots table.</translation>
    </message>
    <message>
        <source>w folderze programu %1 brak narzędzia %2: folder programu jest niekompletny (rozpakuj program jeszcze raz).</source>
        <translation>the tool %2 is missing from the program folder %1: the program folder is incomplete (unpack the program again).</translation>
    </message>
    <message>
        <source>ścieżka narzędzia %1 ma %2 znaków, a Windows uruchamia programy ze ścieżek do %3 znaków: przenieś folder programu wyżej.</source>
        <translation>the path of the tool %1 is %2 characters long, and Windows starts programs from paths of up to %3 characters: move the program folder higher up.</translation>
    </message>
    <message>
        <source>nie można uruchomić narzędzia zlibtool (%1).</source>
        <translation>cannot start the zlibtool tool (%1).</translation>
    </message>
    <message>
        <source>narzędzie zlibtool przerwało pracę awaryjnie.</source>
        <translation>the zlibtool tool crashed.</translation>
    </message>
    <message>
        <source>plik nie jest poprawnie spakowaną tabelą butów (uszkodzony lub obcięty).</source>
        <translation>the file is not a correctly packed boots table (damaged or cut short).</translation>
    </message>
    <message>
        <source>narzędzie zlibtool zakończyło pracę z kodem %1.</source>
        <translation>the zlibtool tool ended with the exit code %1.</translation>
    </message>
    <message>
        <source>Otwórz plik buttów</source>
        <translation>Open a boots file</translation>
    </message>
    <message>
        <source>Nie znaleziono pliku %1</source>
        <translation>File %1 not found</translation>
    </message>
    <message>
        <source>Błąd wczytywania pliku</source>
        <translation>Error reading the file</translation>
    </message>
    <message>
        <source>plik leży w folderze roboczym programu.</source>
        <translation>the file lies in the program&apos;s working folder.</translation>
    </message>
    <message>
        <source>nie można utworzyć folderu roboczego %1.</source>
        <translation>cannot create the working folder %1.</translation>
    </message>
    <message>
        <source>nie można usunąć pliku %1.</source>
        <translation>cannot remove the file %1.</translation>
    </message>
    <message>
        <source>Liczba butów w pliku %1: %2.
Lista pokazuje pierwsze %3 butów; okno „Tabela butów” (Ctrl+T) pokazuje i zmienia wszystkie.</source>
        <translation>Boots in the file %1: %2.
The list shows the first %3 boots; the “Boots table” window (Ctrl+T) shows and changes them all.</translation>
    </message>
    <message>
        <source>Po butach plik %1 zawiera jeszcze %2; zostaną zachowane bez zmian.</source>
        <translation>After the boots, the file %1 holds %2 more; they will be kept unchanged.</translation>
    </message>
    <message>
        <source>Nie otwarto żadnego pliku.</source>
        <translation>No file is open.</translation>
    </message>
    <message>
        <source>nie można zapisać pliku.</source>
        <translation>cannot write the file.</translation>
    </message>
    <message>
        <source>spakowany plik nie odpowiada zapisanej tabeli.</source>
        <translation>the packed file does not match the table written.</translation>
    </message>
    <message>
        <source>narzędzie zlibtool nie utworzyło spakowanego pliku.</source>
        <translation>the zlibtool tool did not create the packed file.</translation>
    </message>
    <message>
        <source>Zapisano plik</source>
        <translation>File saved</translation>
    </message>
    <message>
        <source>Przywracanie zmian</source>
        <translation>Restoring changes</translation>
    </message>
    <message>
        <source>Niezapisane zmiany nie będą odtworzone po awarii: %1. Można pracować dalej.</source>
        <translation>Unsaved changes will not be restored after a crash: %1. You can go on working.</translation>
    </message>
    <message>
        <source>Pliku odzyskiwania %1 nie można odczytać (jest uszkodzony albo pochodzi z nowszej wersji Korvane). Nic z niego nie przywrócono; przeniesiono go jako %2.</source>
        <translation>The recovery file %1 cannot be read (it is damaged or comes from a newer version of Korvane). Nothing was restored from it; it has been moved aside as %2.</translation>
    </message>
    <message>
        <source>Pliku %1 już nie ma, więc niezapisanych zmian w nim nie można przywrócić.</source>
        <translation>The file %1 no longer exists, so the unsaved changes to it cannot be restored.</translation>
    </message>
    <message>
        <source>Niezapisanych zmian nie przywrócono: plik %1 zmienił się od tamtej pory i nie pasują do niego (niezgodności: %2). Tabela się nie zmieniła.</source>
        <translation>The unsaved changes were not restored: the file %1 has changed since and they do not fit it (clashes: %2). The table has not changed.</translation>
    </message>
    <message>
        <source>Zachować te zmiany jako plik zmian?</source>
        <translation>Keep these changes as a patch file?</translation>
    </message>
    <message>
        <source>Zachowaj zmiany</source>
        <translation>Keep the changes</translation>
    </message>
    <message>
        <source>zmiany.csv</source>
        <translation>changes.csv</translation>
    </message>
    <message>
        <source>Zapisano niezapisane zmiany w pliku %1; korvane-table apply albo Zastosuj zmiany… przenoszą je do tabeli.</source>
        <translation>The unsaved changes were saved in the file %1; korvane-table apply or Apply patch… bring them into a table.</translation>
    </message>
    <message>
        <source>Wyczyść listę</source>
        <translation>Clear the list</translation>
    </message>
    <message>
        <source>nie można go otworzyć (%1)</source>
        <translation>it cannot be opened (%1)</translation>
    </message>
    <message>
        <source>błąd odczytu (%1)</source>
        <translation>read error (%1)</translation>
    </message>
    <message>
        <source>plik jest pusty</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>to nie jest plik tabeli butów</source>
        <translation>it is not a boots table file</translation>
    </message>
    <message>
        <source>tabela urywa się przed ostatnim butem</source>
        <translation>the table breaks off before its last boot</translation>
    </message>
    <message>
        <source>spakowany plik jest uszkodzony</source>
        <translation>the packed file is damaged</translation>
    </message>
    <message>
        <source>Plik %1 nie został zmieniony.</source>
        <translation>The file %1 has not been changed.</translation>
    </message>
    <message>
        <source>Komunikat narzędzia: %1</source>
        <translation>The tool said: %1</translation>
    </message>
    <message>
        <source>Nie można wczytać pliku CSV %1:</source>
        <translation>Cannot read the CSV file %1:</translation>
    </message>
</context>
<context>
    <name>FrmProgress</name>
    <message>
        <source>Zatrzymaj</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>FrmTable</name>
    <message>
        <source>Tabela butów</source>
        <translation>Boots table</translation>
    </message>
    <message>
        <source>Szukaj w nazwach</source>
        <translation>Search the names</translation>
    </message>
    <message>
        <source>&amp;Filtr nazw:</source>
        <translation>Name &amp;filter:</translation>
    </message>
    <message>
        <source>Cofnij</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Ponów</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Wpisz we wszystkie zaznaczone</source>
        <translation>Enter into every selected cell</translation>
    </message>
    <message>
        <source>Zwiększ o 1</source>
        <translation>Increase by 1</translation>
    </message>
    <message>
        <source>Zmniejsz o 1</source>
        <translation>Decrease by 1</translation>
    </message>
    <message>
        <source>Kopiuj</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Wklej</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Wpisano „%1”: %2</source>
        <translation>Entered “%1”: %2</translation>
    </message>
    <message>
        <source>, pominięto %1 (pierwsza: %2)</source>
        <translation>, skipped %1 (the first: %2)</translation>
    </message>
    <message>
        <source>blok wychodzi poza ostatni wiersz lub kolumnę</source>
        <translation>the block reaches past the last row or column</translation>
    </message>
    <message>
        <source>Wklejanie</source>
        <translation>Pasting</translation>
    </message>
    <message>
        <source>Buty różne od pliku: %1</source>
        <translation>Boots that differ from the file: %1</translation>
    </message>
    <message>
        <source>Porównanie z plikiem %1: różne buty: %2, różne pola: %3</source>
        <translation>Compared with the file %1: boots that differ: %2, fields that differ: %3</translation>
    </message>
    <message>
        <source>Nic nie wklejono: %1</source>
        <translation>Nothing was pasted: %1</translation>
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
        <translation>Import</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>MessageBoxes</name>
    <message>
        <source>Wystąpił błąd</source>
        <translation>An error occurred</translation>
    </message>
    <message>
        <source>Zapisać zmiany w pliku %1?</source>
        <translation>Save the changes to the file %1?</translation>
    </message>
    <message>
        <source>Plik %1 został zmieniony na dysku przez inny program. Zastąpić go?</source>
        <translation>The file %1 has been changed on disk by another program. Replace it?</translation>
    </message>
    <message>
        <source>Zastąp</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>Porównaj</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Które zmiany pliku %1 zapisać?

Od oryginału gry: wszystkie zmiany względem kopii %2, którą Korvane zrobił przed pierwszym zapisem.
Od ostatniego zapisu: tylko zmiany względem pliku %1 na dysku.</source>
        <translation>Which changes of the file %1 should the patch hold?

Since the game&apos;s original: every change against the copy %2 that Korvane made before the first save.
Since the last save: only the changes against the file %1 on disk.</translation>
    </message>
    <message>
        <source>Od oryginału</source>
        <translation>Since the original</translation>
    </message>
    <message>
        <source>Od ostatniego zapisu</source>
        <translation>Since the last save</translation>
    </message>
    <message>
        <source>Korvane został zamknięty bez zapisania zmian w pliku %1 (zmienione buty: %2, ostatnia zmiana: %3). Przywrócić te zmiany?</source>
        <translation>Korvane was closed without saving the changes to the file %1 (boots changed: %2, last change: %3). Restore these changes?</translation>
    </message>
    <message>
        <source>Przywróć</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Odrzuć</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>Później</source>
        <translation>Later</translation>
    </message>
    <message>
        <source>Zapisz jako plik zmian…</source>
        <translation>Save as a patch file…</translation>
    </message>
    <message>
        <source>Nie zapisuj</source>
        <translation>Don&apos;t save</translation>
    </message>
    <message>
        <source>Trwa zapisywanie pliku %1.

Zatrzymać je? Plik %1 zostanie taki, jaki był, a niezapisane zmiany zostaną utracone.
Można też zaczekać, aż zapisywanie się skończy.</source>
        <translation>The file %1 is being saved.

Stop saving? The file %1 will stay as it was, and the unsaved changes will be lost.
You can also wait until saving has finished.</translation>
    </message>
    <message>
        <source>Trwa otwieranie pliku %1.

Zatrzymać je? Plik %1 nie zostanie otwarty.
Można też zaczekać, aż otwieranie się skończy.</source>
        <translation>The file %1 is being opened.

Stop opening it? The file %1 will not be opened.
You can also wait until opening has finished.</translation>
    </message>
    <message>
        <source>Zatrzymaj</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Zaczekaj</source>
        <translation>Wait</translation>
    </message>
</context>
<context>
    <name>NameValidator</name>
    <message>
        <source>Znaku „%1” nie można zapisać w pliku butów (kodowanie Windows-1250).</source>
        <translation>The character “%1” cannot be stored in the boots file (Windows-1250 encoding).</translation>
    </message>
</context>
<context>
    <name>Qel_Process</name>
    <message>
        <source>pusty wiersz polecenia</source>
        <translation>empty command line</translation>
    </message>
</context>
<context>
    <name>RecoveryJournal</name>
    <message>
        <source>nie można zapisać pliku %1 (%2)</source>
        <translation>cannot write the file %1 (%2)</translation>
    </message>
    <message>
        <source>nie można usunąć pliku %1 (%2)</source>
        <translation>cannot remove the file %1 (%2)</translation>
    </message>
</context>
<context>
    <name>TableChangesModel</name>
    <message>
        <source>„%1”</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>nowy but</source>
        <translation>new boot</translation>
    </message>
    <message>
        <source>usunięty but</source>
        <translation>removed boot</translation>
    </message>
    <message>
        <source>Kolumna</source>
        <translation>Column</translation>
    </message>
    <message>
        <source>Było</source>
        <translation>Was</translation>
    </message>
    <message>
        <source>Będzie</source>
        <translation>Will be</translation>
    </message>
</context>
<context>
    <name>Texts</name>
    <message>
        <source>„%1”, %2</source>
        <translation>“%1”, %2</translation>
    </message>
    <message>
        <source>plik jest pusty</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>niepoprawny tekst UTF-16</source>
        <translation>invalid UTF-16 text</translation>
    </message>
    <message>
        <source>kolumny wiersza nagłówka nie są rozdzielone przecinkiem, średnikiem ani tabulatorem</source>
        <translation>the columns of the header row are not separated by a comma, a semicolon or a tab</translation>
    </message>
    <message>
        <source>w wierszu nagłówka musi tu być „%1”</source>
        <translation>the header row must have “%1” here</translation>
    </message>
    <message>
        <source>tej kolumny brakuje w wierszu nagłówka</source>
        <translation>this column is missing from the header row</translation>
    </message>
    <message>
        <source>nadmiarowa kolumna w wierszu nagłówka</source>
        <translation>an extra column in the header row</translation>
    </message>
    <message>
        <source>po wierszu nagłówka nie ma żadnego buta</source>
        <translation>there are no boots after the header row</translation>
    </message>
    <message>
        <source>więcej butów, niż zmieści plik danych butów</source>
        <translation>more boots than a boots data file can hold</translation>
    </message>
    <message>
        <source>pusty wiersz</source>
        <translation>an empty row</translation>
    </message>
    <message>
        <source>wiersz kończy się przed tą kolumną</source>
        <translation>the row ends before this column</translation>
    </message>
    <message>
        <source>nadmiarowa kolumna za ostatnią</source>
        <translation>an extra column after the last</translation>
    </message>
    <message>
        <source>pole otwarte cudzysłowem nie ma cudzysłowu zamykającego</source>
        <translation>a field opened with a quote has no closing quote</translation>
    </message>
    <message>
        <source>cudzysłów wewnątrz pola, które nie zaczyna się od cudzysłowu</source>
        <translation>a quote inside a field that does not start with a quote</translation>
    </message>
    <message>
        <source>tekst po cudzysłowie zamykającym pole</source>
        <translation>text after the quote that closes the field</translation>
    </message>
    <message>
        <source>znak powrotu karetki (CR) bez znaku nowego wiersza (LF) po nim</source>
        <translation>a carriage return (CR) without a line feed (LF) after it</translation>
    </message>
    <message>
        <source>puste pole, a musi tu być liczba od 0 do 255</source>
        <translation>an empty field, where a number from 0 to 255 must be</translation>
    </message>
    <message>
        <source>liczba %1 jest spoza zakresu od 0 do 255</source>
        <translation>the number %1 is outside the range 0 to 255</translation>
    </message>
    <message>
        <source>to nie jest liczba całkowita od 0 do 255</source>
        <translation>this is not a whole number from 0 to 255</translation>
    </message>
    <message>
        <source>to nie jest liczba całkowita</source>
        <translation>this is not a whole number</translation>
    </message>
    <message>
        <source>jest %1 zamiast %2; wiersze muszą zachować kolejność tabeli</source>
        <translation>it is %1 instead of %2; the rows must keep the order of the table</translation>
    </message>
    <message>
        <source>nazwa nie jest poprawnym tekstem UTF-8</source>
        <translation>the name is not valid UTF-8 text</translation>
    </message>
    <message>
        <source>znaku nr %1 nazwy (%2) nie ma w kodowaniu Windows-1250</source>
        <translation>character %1 of the name (%2) is not in the Windows-1250 encoding</translation>
    </message>
    <message>
        <source>nazwa zawiera znak NUL, który by ją zakończył</source>
        <translation>the name holds a NUL character, which would end it</translation>
    </message>
    <message>
        <source>nazwa ma %1, a pole nazwy mieści najwyżej %2</source>
        <translation>the name has %1, and the name field holds at most %2</translation>
    </message>
    <message>
        <source>„%1” to nie jest nazwa żadnej kolumny buta</source>
        <translation>“%1” is not the name of any column of a boot</translation>
    </message>
    <message>
        <source>pozycja %1 po %2; wiersze muszą iść według pozycji</source>
        <translation>position %1 after %2; the rows must follow the positions</translation>
    </message>
    <message>
        <source>„%1” po „%2”; wiersze jednego buta muszą iść w kolejności kolumn, każda kolumna raz</source>
        <translation>“%1” after “%2”; the rows of one boot must follow the order of the columns, each column once</translation>
    </message>
    <message>
        <source>jest %1 zamiast %2; wszystkie wiersze buta mają to samo id</source>
        <translation>it is %1 instead of %2; all rows of a boot have the same id</translation>
    </message>
    <message>
        <source>jest %1, a id wiersza to %2</source>
        <translation>it is %1, and the id of the row is %2</translation>
    </message>
    <message>
        <source>musi być puste, bo but jest dodawany</source>
        <translation>must be empty, because the boot is being added</translation>
    </message>
    <message>
        <source>musi być puste, bo but jest usuwany</source>
        <translation>must be empty, because the boot is being removed</translation>
    </message>
    <message>
        <source>but dodawany lub usuwany na pozycji %1 nie ma wiersza kolumny „%2”</source>
        <translation>the boot added or removed at position %1 has no row for the column “%2”</translation>
    </message>
    <message>
        <source>buty dodawane lub usuwane idą po wszystkich zmienianych, pozycja po pozycji, a jedna łatka nie może zarazem dodawać i usuwać</source>
        <translation>boots added or removed come after all the changed ones, position by position, and one patch cannot both add and remove</translation>
    </message>
    <message>
        <source>nieznany błąd</source>
        <translation>unknown error</translation>
    </message>
    <message numerus="yes">
        <source>%n butów</source>
        <translation>
            <numerusform>%n boot</numerusform>
            <numerusform>%n boots</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n bajtów</source>
        <translation>
            <numerusform>%n byte</numerusform>
            <numerusform>%n bytes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n komórek</source>
        <translation>
            <numerusform>%n cell</numerusform>
            <numerusform>%n cells</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n znaków</source>
        <translation>
            <numerusform>%n character</numerusform>
            <numerusform>%n characters</numerusform>
        </translation>
    </message>
    <message>
        <source>Wiersz %1</source>
        <translation>Line %1</translation>
    </message>
    <message>
        <source>, kolumna %1</source>
        <translation>, column %1</translation>
    </message>
    <message>
        <source>, kolumna „%1”</source>
        <translation>, column “%1”</translation>
    </message>
    <message>
        <source>plik zapisany w folderze %1 nie odczytuje się tak, jak go zapisano.</source>
        <translation>the file written in the folder %1 does not read back as it was written.</translation>
    </message>
    <message>
        <source>nie można utworzyć pliku w folderze %1: %2</source>
        <translation>cannot create a file in the folder %1: %2</translation>
    </message>
    <message>
        <source>brak buta</source>
        <translation>no boot</translation>
    </message>
    <message>
        <source>butów: %1</source>
        <translation>boots: %1</translation>
    </message>
    <message>
        <source>„%1”</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>pozycja %1 (ID %2), kolumna %3: zmiany zakładają %4, a plik ma %5</source>
        <translation>position %1 (ID %2), column %3: the changes expect %4, the file has %5</translation>
    </message>
    <message>
        <source>Inny program (na przykład gra) może mieć ten plik otwarty: zamknij go i spróbuj ponownie.</source>
        <translation>Another program (the game, for example) may have the file open: close it and try again.</translation>
    </message>
</context>
<context>
    <name>ToolRun</name>
    <message>
        <source>Pakowanie pliku %1…</source>
        <translation>Packing the file %1…</translation>
    </message>
    <message>
        <source>Rozpakowywanie pliku %1…</source>
        <translation>Unpacking the file %1…</translation>
    </message>
</context>
</TS>
