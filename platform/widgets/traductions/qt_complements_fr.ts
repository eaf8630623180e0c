<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- Texts of Qt's dialogs that Debian's French catalogue (qtbase_fr) leaves in English.
     Loaded after it, so that it only fills the gaps. -->
<TS version="2.1" language="fr_FR" sourcelanguage="en">
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Double Sided Printing</source>
        <translation>Impression recto verso</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>Long side binding</source>
        <translation>Reliure sur le côté long</translation>
    </message>
    <message>
        <source>Short side binding</source>
        <translation>Reliure sur le côté court</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesWidget</name>
    <message>
        <source>Advanced</source>
        <translation>Avancé</translation>
    </message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Folder</source>
        <comment>All other platforms</comment>
        <translation>Dossier</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Disque</translation>
    </message>
</context>
</TS>
