<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- The texts of Qt's own dialogs that Qt's Italian translation (qtbase_it) leaves in English. Loaded after Qt's,
     so it only fills the gaps. -->
<TS version="2.1" language="it_IT">
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Pages</source>
        <translation>Pagine</translation>
    </message>
    <message>
        <source>Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.</source>
        <translation>Indicare le pagine o gli intervalli separati da virgole; un intervallo è dato da due numeri separati da un trattino. Per esempio, 3,5-7,9 stampa le pagine 3, 5, 6, 7 e 9.</translation>
    </message>
    <message>
        <source>Double Sided Printing</source>
        <translation>Stampa fronte/retro</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Disattivata</translation>
    </message>
    <message>
        <source>Long side binding</source>
        <translation>Rilegatura sul lato lungo</translation>
    </message>
    <message>
        <source>Short side binding</source>
        <translation>Rilegatura sul lato corto</translation>
    </message>
</context>
<context>
    <name>QPrintDialog</name>
    <message>
        <source>Invalid Pages Definition</source>
        <translation>Pagine indicate non valide</translation>
    </message>
    <message>
        <source>%1 does not follow the correct syntax. Please use &apos;,&apos; to separate ranges and pages, &apos;-&apos; to define ranges and make sure ranges do not intersect with each other.</source>
        <translation>&quot;%1&quot; non è scritto correttamente. Separare le pagine e gli intervalli con &apos;,&apos;, indicare gli intervalli con &apos;-&apos; e fare in modo che non si sovrappongano.</translation>
    </message>
    <message>
        <source>Duplex Settings Conflicts</source>
        <translation>Conflitto nelle impostazioni fronte/retro</translation>
    </message>
    <message>
        <source>There are conflicts in duplex settings. Do you want to fix them?</source>
        <translation>Le impostazioni fronte/retro sono in conflitto. Correggerle?</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesWidget</name>
    <message>
        <source>Advanced</source>
        <translation>Avanzate</translation>
    </message>
    <message>
        <source>There are conflicts in some options. Please fix them.</source>
        <translation>Alcune opzioni sono in conflitto: correggerle.</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesDialog</name>
    <message>
        <source>Page Setup Conflicts</source>
        <translation>Conflitto nell&apos;impostazione della pagina</translation>
    </message>
    <message>
        <source>There are conflicts in page setup options. Do you want to fix them?</source>
        <translation>Alcune opzioni della pagina sono in conflitto. Correggerle?</translation>
    </message>
    <message>
        <source>Advanced Option Conflicts</source>
        <translation>Conflitto nelle opzioni avanzate</translation>
    </message>
    <message>
        <source>There are conflicts in some advanced options. Do you want to fix them?</source>
        <translation>Alcune opzioni avanzate sono in conflitto. Correggerle?</translation>
    </message>
    <message>
        <source>Borderless</source>
        <translation>Senza margini</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Attivata</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Disattivata</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <comment>Translate this string to the string &apos;LTR&apos; in left-to-right languages or to &apos;RTL&apos; in right-to-left languages (such as Hebrew and Arabic) to get proper widget layout.</comment>
        <translation>LTR</translation>
    </message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Folder</source>
        <comment>All other platforms</comment>
        <translation>Cartella</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Unità</translation>
    </message>
</context>
</TS>
