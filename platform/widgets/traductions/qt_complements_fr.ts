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
<context>
    <name>QPrintPropertiesDialog</name>
    <message>
        <source>Printer Properties</source>
        <translation>Propriétés de l&apos;imprimante</translation>
    </message>
</context>
<context>
    <name>ProprietesImprimante</name>
    <message>
        <source>Media Source</source>
        <translation>Source du papier</translation>
    </message>
    <message>
        <source>Media Type</source>
        <translation>Type de papier</translation>
    </message>
    <message>
        <source>Output Mode</source>
        <translation>Mode de sortie</translation>
    </message>
    <message>
        <source>Page Size</source>
        <translation>Format du papier</translation>
    </message>
    <message>
        <source>Paper Size</source>
        <translation>Format du papier</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Résolution</translation>
    </message>
    <message>
        <source>Print Quality</source>
        <translation>Qualité d&apos;impression</translation>
    </message>
    <message>
        <source>Duplex</source>
        <translation>Recto verso</translation>
    </message>
    <message>
        <source>2-Sided Printing</source>
        <translation>Impression recto verso</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>Mode couleur</translation>
    </message>
    <message>
        <source>Collate</source>
        <translation>Assembler</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Auto-select</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>AutoSelect</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Bac principal</translation>
    </message>
    <message>
        <source>ByPassTray</source>
        <translation>Bac multifonction</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Bac manuel</translation>
    </message>
    <message>
        <source>Manual Feed</source>
        <translation>Bac manuel</translation>
    </message>
    <message>
        <source>Manual Feeder</source>
        <translation>Bac manuel</translation>
    </message>
    <message>
        <source>Manual Feed Tray</source>
        <translation>Bac manuel</translation>
    </message>
    <message>
        <source>MP Tray</source>
        <translation>Bac multifonction</translation>
    </message>
    <message>
        <source>Multi-Purpose Tray</source>
        <translation>Bac multifonction</translation>
    </message>
    <message>
        <source>Envelope</source>
        <translation>Enveloppe</translation>
    </message>
    <message>
        <source>Envelope Feeder</source>
        <translation>Chargeur d&apos;enveloppes</translation>
    </message>
    <message>
        <source>Tray 1</source>
        <translation>Bac 1</translation>
    </message>
    <message>
        <source>Tray 2</source>
        <translation>Bac 2</translation>
    </message>
    <message>
        <source>Tray 3</source>
        <translation>Bac 3</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>Fente arrière</translation>
    </message>
    <message>
        <source>Stationery</source>
        <translation>Papier ordinaire</translation>
    </message>
    <message>
        <source>Plain Paper</source>
        <translation>Papier ordinaire</translation>
    </message>
    <message>
        <source>Plain paper</source>
        <translation>Papier ordinaire</translation>
    </message>
    <message>
        <source>Thin paper</source>
        <translation>Papier fin</translation>
    </message>
    <message>
        <source>Thick paper</source>
        <translation>Papier épais</translation>
    </message>
    <message>
        <source>Thicker paper</source>
        <translation>Papier très épais</translation>
    </message>
    <message>
        <source>Bond paper</source>
        <translation>Papier bond</translation>
    </message>
    <message>
        <source>Transparencies</source>
        <translation>Transparents</translation>
    </message>
    <message>
        <source>Recycled paper</source>
        <translation>Papier recyclé</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>Étiquettes</translation>
    </message>
    <message>
        <source>Photo</source>
        <translation>Photo</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Niveaux de gris</translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation>Niveaux de gris</translation>
    </message>
    <message>
        <source>Monochrome</source>
        <translation>Noir et blanc</translation>
    </message>
    <message>
        <source>Draft</source>
        <translation>Brouillon</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normale</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Haute</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Meilleure</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>EnvDL</source>
        <translation>Enveloppe DL</translation>
    </message>
    <message>
        <source>EnvC5</source>
        <translation>Enveloppe C5</translation>
    </message>
    <message>
        <source>EnvC6</source>
        <translation>Enveloppe C6</translation>
    </message>
    <message>
        <source>EnvC4</source>
        <translation>Enveloppe C4</translation>
    </message>
    <message>
        <source>EnvC65</source>
        <translation>Enveloppe C6/5</translation>
    </message>
    <message>
        <source>EnvMonarch</source>
        <translation>Enveloppe Monarch</translation>
    </message>
    <message>
        <source>Env10</source>
        <translation>Enveloppe n° 10</translation>
    </message>
    <message>
        <source>Envelope DL</source>
        <translation>Enveloppe DL</translation>
    </message>
    <message>
        <source>Envelope C5</source>
        <translation>Enveloppe C5</translation>
    </message>
    <message>
        <source>Envelope C6</source>
        <translation>Enveloppe C6</translation>
    </message>
    <message>
        <source>Envelope Monarch</source>
        <translation>Enveloppe Monarch</translation>
    </message>
    <message>
        <source>Envelope #10</source>
        <translation>Enveloppe n° 10</translation>
    </message>
    <message>
        <source>Letter</source>
        <translation>Lettre US</translation>
    </message>
    <message>
        <source>US Letter</source>
        <translation>Lettre US</translation>
    </message>
    <message>
        <source>Legal</source>
        <translation>Légal US</translation>
    </message>
    <message>
        <source>US Legal</source>
        <translation>Légal US</translation>
    </message>
    <message>
        <source>Executive</source>
        <translation>Exécutif US</translation>
    </message>
    <message>
        <source>There are conflicts in some options. Please fix them.</source>
        <translation>Certaines options sont incompatibles entre elles : corrigez-les.</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Avancé</translation>
    </message>
</context>
</TS>
