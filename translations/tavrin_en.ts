<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ActionTable</name>
    <message>
        <source>パレットを読み込む (他の形式)...</source>
        <translation>Load palette (other formats)...</translation>
    </message>
    <message>
        <source>パレットを書き出す (他の形式)...</source>
        <translation>Export palette (other formats)...</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>開く(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>再読み込み(&amp;R)</source>
        <translation>&amp;Reload</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>スナップショットを保存(&amp;T)</source>
        <translation>Save Snaps&amp;hot</translation>
    </message>
    <message>
        <source>スナップショットを開く(&amp;P)...</source>
        <translation>O&amp;pen Snapshot...</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>減色して貼り付け(&amp;O)</source>
        <translation>Paste with Colour &amp;Optimisation</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>すべて選択(&amp;L)</source>
        <translation>Select A&amp;ll</translation>
    </message>
    <message>
        <source>クリップボードを空にする(&amp;B)</source>
        <translation>Empty the Clip&amp;board</translation>
    </message>
    <message>
        <source>左右反転(&amp;H)</source>
        <translation>Mirror &amp;Horizontally</translation>
    </message>
    <message>
        <source>上下反転(&amp;V)</source>
        <translation>Mirror &amp;Vertically</translation>
    </message>
    <message>
        <source>左に回転(&amp;1)</source>
        <translation>&amp;1 Turn Left</translation>
    </message>
    <message>
        <source>右に回転(&amp;2)</source>
        <translation>&amp;2 Turn Right</translation>
    </message>
    <message>
        <source>↑に1ドットシフト(&amp;3)</source>
        <translation>&amp;3 Shift One Dot ↑</translation>
    </message>
    <message>
        <source>↓に1ドットシフト(&amp;4)</source>
        <translation>&amp;4 Shift One Dot ↓</translation>
    </message>
    <message>
        <source>←に1ドットシフト(&amp;5)</source>
        <translation>&amp;5 Shift One Dot ←</translation>
    </message>
    <message>
        <source>→に1ドットシフト(&amp;6)</source>
        <translation>&amp;6 Shift One Dot →</translation>
    </message>
    <message>
        <source>アドレス最初(&amp;1)</source>
        <translation>&amp;1 First Address</translation>
    </message>
    <message>
        <source>アドレス-100ブロック(&amp;2)</source>
        <translation>&amp;2 Address -100 Blocks</translation>
    </message>
    <message>
        <source>アドレス-10ブロック(&amp;3)</source>
        <translation>&amp;3 Address -10 Blocks</translation>
    </message>
    <message>
        <source>アドレス-1ブロック(&amp;4)</source>
        <translation>&amp;4 Address -1 Block</translation>
    </message>
    <message>
        <source>アドレス-1(&amp;5)</source>
        <translation>&amp;5 Address -1</translation>
    </message>
    <message>
        <source>アドレス+1(&amp;6)</source>
        <translation>&amp;6 Address +1</translation>
    </message>
    <message>
        <source>アドレス+1ブロック(&amp;7)</source>
        <translation>&amp;7 Address +1 Block</translation>
    </message>
    <message>
        <source>アドレス+10ブロック(&amp;8)</source>
        <translation>&amp;8 Address +10 Blocks</translation>
    </message>
    <message>
        <source>アドレス+100ブロック(&amp;9)</source>
        <translation>&amp;9 Address +100 Blocks</translation>
    </message>
    <message>
        <source>アドレス最後(&amp;0)</source>
        <translation>&amp;0 Last Address</translation>
    </message>
    <message>
        <source>ホイール↑</source>
        <translation>Wheel ↑</translation>
    </message>
    <message>
        <source>ホイール↓</source>
        <translation>Wheel ↓</translation>
    </message>
    <message>
        <source>アドレス入力(&amp;A)</source>
        <translation>Enter &amp;Address</translation>
    </message>
    <message>
        <source>次の画像を探す(&amp;F)...</source>
        <translation>&amp;Find Next Graphics...</translation>
    </message>
    <message>
        <source>次の圧縮データを探す(&amp;C)</source>
        <translation>Find Next &amp;Compressed Data</translation>
    </message>
    <message>
        <source>圧縮データの一覧(&amp;L)...</source>
        <translation>Compressed Data &amp;List...</translation>
    </message>
    <message>
        <source>前の画像を探す(&amp;P)...</source>
        <translation>Find &amp;Previous Graphics...</translation>
    </message>
    <message>
        <source>スタンプ(&amp;0)</source>
        <translation>&amp;0 Stamp</translation>
    </message>
    <message>
        <source>ペン(&amp;1)</source>
        <translation>&amp;1 Pen</translation>
    </message>
    <message>
        <source>ペン(市松)(&amp;2)</source>
        <translation>&amp;2 Checker Pen</translation>
    </message>
    <message>
        <source>線(&amp;3)</source>
        <translation>&amp;3 Line</translation>
    </message>
    <message>
        <source>長方形(塗り)(&amp;4)</source>
        <translation>&amp;4 Filled Rectangle</translation>
    </message>
    <message>
        <source>長方形(市松)(&amp;5)</source>
        <translation>&amp;5 Checkered Rectangle</translation>
    </message>
    <message>
        <source>長方形(枠線)(&amp;6)</source>
        <translation>&amp;6 Rectangle Outline</translation>
    </message>
    <message>
        <source>円(塗り)(&amp;7)</source>
        <translation>&amp;7 Filled Ellipse</translation>
    </message>
    <message>
        <source>円(枠線)(&amp;8)</source>
        <translation>&amp;8 Ellipse Outline</translation>
    </message>
    <message>
        <source>塗り潰し(&amp;9)</source>
        <translation>&amp;9 Flood Fill</translation>
    </message>
    <message>
        <source>パレットセット</source>
        <translation>Palette Set</translation>
    </message>
    <message>
        <source>パレット&amp;0選択</source>
        <translation>Select Palette Group &amp;0</translation>
    </message>
    <message>
        <source>パレット&amp;1選択</source>
        <translation>Select Palette Group &amp;1</translation>
    </message>
    <message>
        <source>パレット&amp;2選択</source>
        <translation>Select Palette Group &amp;2</translation>
    </message>
    <message>
        <source>パレット&amp;3選択</source>
        <translation>Select Palette Group &amp;3</translation>
    </message>
    <message>
        <source>パレット＋パレットセット(&amp;S)</source>
        <translation>Palette + Palette &amp;Set</translation>
    </message>
    <message>
        <source>パレットのみ(&amp;P)</source>
        <translation>&amp;Palette Only</translation>
    </message>
    <message>
        <source>エミュレータのセーブデータを開く(&amp;S)...</source>
        <translation>Open Emulator &amp;Save-State...</translation>
    </message>
    <message>
        <source>パレット定義(*.dat)を開く(&amp;D)...</source>
        <translation>Open Palette Set (*.&amp;dat)...</translation>
    </message>
    <message>
        <source>パレット定義(*.dat)を保存(&amp;T)...</source>
        <translation>Save Palette Set (*.da&amp;t)...</translation>
    </message>
    <message>
        <source>パレット定義をROM名で保存</source>
        <translation>Save Palette Set Under the ROM Name</translation>
    </message>
    <message>
        <source>パレット(*.pal)を開く(&amp;P)...</source>
        <translation>Open &amp;Palette (*.pal)...</translation>
    </message>
    <message>
        <source>パレット(*.pal)を保存(&amp;L)...</source>
        <translation>Save Pa&amp;lette (*.pal)...</translation>
    </message>
    <message>
        <source>パレットをROM名で保存</source>
        <translation>Save Palette Under the ROM Name</translation>
    </message>
    <message>
        <source>BGセット(*.adf)を開く(&amp;A)...</source>
        <translation>Open Patterns (*.&amp;adf)...</translation>
    </message>
    <message>
        <source>BGセット(*.adf)を保存(&amp;F)...</source>
        <translation>Save Patterns (*.ad&amp;f)...</translation>
    </message>
    <message>
        <source>BGセットをROM名で保存(&amp;M)</source>
        <translation>Save Patterns Under the ROM Na&amp;me</translation>
    </message>
    <message>
        <source>パレットセット(*.col)を開く...</source>
        <translation>Open Colour Set (*.col)...</translation>
    </message>
    <message>
        <source>パレットセット(*.col)を保存...</source>
        <translation>Save Colour Set (*.col)...</translation>
    </message>
    <message>
        <source>パレットセットをROM名で保存</source>
        <translation>Save Colour Set Under the ROM Name</translation>
    </message>
    <message>
        <source>パレットセットを有効にする(&amp;Z)</source>
        <translation>Use the Colour Set (&amp;Z)</translation>
    </message>
    <message>
        <source>全て標準に戻す(&amp;F)</source>
        <translation>Restore All De&amp;fault Palettes</translation>
    </message>
    <message>
        <source>色の置換(&amp;R)...</source>
        <translation>&amp;Replace Colours...</translation>
    </message>
    <message>
        <source>ファイルの実行(&amp;E)</source>
        <translation>Op&amp;en the File</translation>
    </message>
    <message>
        <source>ツール&amp;0を実行...</source>
        <translation>Run Tool &amp;0...</translation>
    </message>
    <message>
        <source>ツール&amp;1を実行...</source>
        <translation>Run Tool &amp;1...</translation>
    </message>
    <message>
        <source>ツール&amp;2を実行...</source>
        <translation>Run Tool &amp;2...</translation>
    </message>
    <message>
        <source>ツール&amp;3を実行...</source>
        <translation>Run Tool &amp;3...</translation>
    </message>
    <message>
        <source>ツール&amp;4を実行...</source>
        <translation>Run Tool &amp;4...</translation>
    </message>
    <message>
        <source>ツール&amp;5を実行...</source>
        <translation>Run Tool &amp;5...</translation>
    </message>
    <message>
        <source>ツール&amp;6を実行...</source>
        <translation>Run Tool &amp;6...</translation>
    </message>
    <message>
        <source>ツール&amp;7を実行...</source>
        <translation>Run Tool &amp;7...</translation>
    </message>
    <message>
        <source>ツール&amp;8を実行...</source>
        <translation>Run Tool &amp;8...</translation>
    </message>
    <message>
        <source>ツール&amp;9を実行...</source>
        <translation>Run Tool &amp;9...</translation>
    </message>
    <message>
        <source>ツール設定(&amp;C)...</source>
        <translation>&amp;Configure Tools...</translation>
    </message>
    <message>
        <source>ファイルの実行設定(&amp;P)...</source>
        <translation>File O&amp;pening Settings...</translation>
    </message>
    <message>
        <source>セットウィンドウを表示...(&amp;S)</source>
        <translation>Show the &amp;Set Window...</translation>
    </message>
    <message>
        <source>Tavrinウィンドウ色選択(&amp;F)...</source>
        <translation>Tavrin Window Colour (&amp;F)...</translation>
    </message>
    <message>
        <source>ステータスバーを表示(&amp;S)</source>
        <translation>Show the &amp;Status Bar</translation>
    </message>
    <message>
        <source>設定(&amp;C)...</source>
        <translation>&amp;Configuration...</translation>
    </message>
    <message>
        <source>簡易メニュー(&amp;M)</source>
        <translation>Simple &amp;Menus</translation>
    </message>
    <message>
        <source>マウスナビゲーションを表示(&amp;N)</source>
        <translation>Show Mouse &amp;Navigation</translation>
    </message>
    <message>
        <source>フォーマット設定</source>
        <translation>Format Settings</translation>
    </message>
    <message>
        <source>目次(&amp;I)...</source>
        <translation>&amp;Index...</translation>
    </message>
    <message>
        <source>最新版を探す(公式URLを開く)(&amp;L)...</source>
        <translation>Look for the &amp;Latest Version (Home Page)...</translation>
    </message>
    <message>
        <source>バグ報告・要望の投稿(&amp;B)...</source>
        <translation>Report a &amp;Bug or Request...</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)...</source>
        <translation>&amp;About Tavrin...</translation>
    </message>
    <message>
        <source>現在の設定を保存(&amp;S)</source>
        <translation>&amp;Save the Current Settings</translation>
    </message>
    <message>
        <source>設定を再読み込み(&amp;S)</source>
        <translation>Reload the &amp;Settings</translation>
    </message>
    <message>
        <source>メニューを設定する</source>
        <translation>Set Up the Menus</translation>
    </message>
    <message>
        <source>バイト列を探す(&amp;B)...</source>
        <translation>Find &amp;Bytes...</translation>
    </message>
    <message>
        <source>ブックマークを追加(&amp;K)...</source>
        <translation>Add Boo&amp;kmark...</translation>
    </message>
    <message>
        <source>ブックマーク一覧(&amp;M)...</source>
        <translation>Book&amp;marks...</translation>
    </message>
    <message>
        <source>選択タイルのアドレスをコピー(&amp;Y)</source>
        <translation>Cop&amp;y the Selected Tile&apos;s Address</translation>
    </message>
</context>
<context>
    <name>Editor</name>
    <message>
        <source>描画領域選択</source>
        <translation>Choose edit area</translation>
    </message>
    <message>
        <source>領域選択</source>
        <translation>Select area</translation>
    </message>
    <message>
        <source>描画：</source>
        <translation>Draw: </translation>
    </message>
    <message>
        <source>スポイト</source>
        <translation>Pick colour</translation>
    </message>
    <message>
        <source>描画パレット選択</source>
        <translation>Choose drawing palette</translation>
    </message>
    <message>
        <source>パレットエディタ</source>
        <translation>Palette editor</translation>
    </message>
    <message>
        <source>セット色選択</source>
        <translation>Choose set colour</translation>
    </message>
    <message>
        <source>CHR : %06X - %06X / %06X</source>
        <translation>CHR : %06X - %06X / %06X</translation>
    </message>
    <message>
        <source>Pattern : ADF[%02X] = %02X </source>
        <translation>Pattern : ADF[%02X] = %02X </translation>
    </message>
    <message>
        <source>(データの終わりより後ろ)</source>
        <translation>(past the end of the data)</translation>
    </message>
    <message>
        <source>Failed to copy image to clipboard.</source>
        <translation>Failed to copy image to clipboard.</translation>
    </message>
    <message>
        <source>ROM image|@@@|All files|*.*</source>
        <translation>ROM image|@@@|All files|*.*</translation>
    </message>
    <message>
        <source>Unknown Address Type.</source>
        <translation>Unknown address type.</translation>
    </message>
    <message>
        <source>not found.</source>
        <translation>Not found.</translation>
    </message>
    <message>
        <source>設定ファイルに設定を保存できませんでした。
</source>
        <translation>The settings could not be saved in the settings file.
</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>アクセスが許可されていません。</source>
        <translation>Access is not permitted.</translation>
    </message>
    <message>
        <source>ディスクの空きが足りません。</source>
        <translation>The disk is full.</translation>
    </message>
    <message>
        <source>書き込みできない場所です。</source>
        <translation>This place cannot be written to.</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます。</source>
        <translation>The file is too large.</translation>
    </message>
    <message>
        <source>フォルダーが見つかりません。</source>
        <translation>The folder was not found.</translation>
    </message>
    <message>
        <source>フォルダーです。</source>
        <translation>It is a folder.</translation>
    </message>
    <message>
        <source>入出力エラーが起きました。</source>
        <translation>An input/output error occurred.</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>The file was not found.</translation>
    </message>
    <message>
        <source>通常のファイルではありません（フォルダーなど）。</source>
        <translation>It is not a regular file (a folder or the like).</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます（2 GiB まで）。</source>
        <translation>The file is too large (2 GiB at most).</translation>
    </message>
    <message>
        <source>メモリが足りません。</source>
        <translation>There is not enough memory.</translation>
    </message>
    <message>
        <source>ファイルの内容が正しくありません。</source>
        <translation>The contents of the file are not valid.</translation>
    </message>
    <message>
        <source>取り消しました。</source>
        <translation>Cancelled.</translation>
    </message>
    <message>
        <source>開いている間にほかのプログラムがファイルを変えました。書き込んでいません（別の名前で保存してください）。</source>
        <translation>Another program changed the file while it was open. Nothing was written (save it under another name).</translation>
    </message>
    <message>
        <source>読み込めませんでした。</source>
        <translation>It could not be read.</translation>
    </message>
    <message>
        <source>書き込めませんでした。</source>
        <translation>It could not be written.</translation>
    </message>
    <message>
        <source>ファイルを開けませんでした：
</source>
        <translation>The file could not be opened:
</translation>
    </message>
    <message>
        <source>ファイルを保存できませんでした：
</source>
        <translation>The file could not be saved:
</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>Tavrin バージョン </source>
        <translation>Tavrin version </translation>
    </message>
    <message>
        <source>ビルド日: </source>
        <translation>Built on: </translation>
    </message>
    <message>
        <source>ROMイメージの中のタイル画像(CHR)を編集するエディタです。
</source>
        <translation>An editor for the tile graphics (CHR) inside ROM images.
</translation>
    </message>
    <message>
        <source>ライセンス: MIT ライセンス (Copyright (c) The Tavrin authors)。
無保証で提供されます。全文はファイル LICENSE にあります。
</source>
        <translation>Licence: MIT licence (Copyright (c) The Tavrin authors).
Provided without warranty; the full text is in the file LICENSE.
</translation>
    </message>
    <message>
        <source>謝辞: 古いゲーム機のタイル画像を調べ、記録してきた皆さんと、
不具合の報告や要望を寄せてくださる皆さんに感謝します。</source>
        <translation>Thanks to everyone who studied and documented the tile graphics of old game consoles,
and to everyone who sends fault reports and requests.</translation>
    </message>
    <message>
        <source>■Tavrinのヘルプを作成していただける方を募集しています■

Tavrinのヘルプファイルが見つかりませんでした。
ヘルプファイルはexeと同じ名前の拡張子がchm、hlp、htmのいずれかのファイルです。
ヘルプファイルが存在する場合はメニューのヘルプから開かれます。
</source>
        <translation>** Volunteers to write Tavrin&apos;s help are welcome **

Tavrin&apos;s help file was not found.
The help file has the program&apos;s name with the extension chm, hlp or htm.
When it exists, the Help menu opens it.
</translation>
    </message>
    <message>
        <source>マニュアル (F1): </source>
        <translation>Manual (F1): </translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>アドレス(&amp;A)</source>
        <translation>&amp;Address</translation>
    </message>
    <message>
        <source>ペン(&amp;N)</source>
        <translation>Pe&amp;n</translation>
    </message>
    <message>
        <source>パレット(&amp;P)</source>
        <translation>&amp;Palette</translation>
    </message>
    <message>
        <source>ツール(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>オプション(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&gt;パレット選択</source>
        <translation>&gt;Select Palette Group</translation>
    </message>
    <message>
        <source>&gt;パレット表示</source>
        <translation>&gt;Palette Display</translation>
    </message>
    <message>
        <source>標準</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>アドレス</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>パレット表示</source>
        <translation>Palette display</translation>
    </message>
</context>
<context>
    <name>Patterns</name>
    <message>
        <source>ADFパターン数が多すぎるため、項目を追加できません。
不要なパターンを削除したあとに追加してください。</source>
        <translation>There are too many ADF patterns to add another.
Delete patterns you do not need, then add it.</translation>
    </message>
</context>
<context>
    <name>Pens</name>
    <message>
        <source>スタンプ</source>
        <translation>Stamp</translation>
    </message>
    <message>
        <source>ペン</source>
        <translation>Pen</translation>
    </message>
    <message>
        <source>ペン(市松)</source>
        <translation>Checker pen</translation>
    </message>
    <message>
        <source>線</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>長方形(塗り)</source>
        <translation>Filled rectangle</translation>
    </message>
    <message>
        <source>長方形(市松)</source>
        <translation>Checkered rectangle</translation>
    </message>
    <message>
        <source>長方形(線)</source>
        <translation>Rectangle outline</translation>
    </message>
    <message>
        <source>円(塗り)</source>
        <translation>Filled ellipse</translation>
    </message>
    <message>
        <source>円(線)</source>
        <translation>Ellipse outline</translation>
    </message>
    <message>
        <source>塗り潰し</source>
        <translation>Flood fill</translation>
    </message>
</context>
<context>
    <name>SetFiles</name>
    <message>
        <source>パレットセットは.NAM形式に合わせて2bit(0～3のみ)に変換されました。</source>
        <translation>The palette set was cut to 2 bits (0 to 3 only) to fit the .NAM format.</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>設定ファイルが 1 MiB を超えているため読み込みませんでした。終了時にも書き込みません：
</source>
        <translation>The settings file is larger than 1 MiB and was not read. It will not be written at exit either:
</translation>
    </message>
</context>
<context>
    <name>StateFile</name>
    <message>
        <source>ステートファイルのINI定義の読み込みに失敗しました。</source>
        <translation>The settings file has no definition for this save-state file.</translation>
    </message>
    <message>
        <source>ステートファイルのINI定義の読み込みサイズが0です。</source>
        <translation>The save-state definition in the settings file has a size of 0.</translation>
    </message>
    <message>
        <source>ステートファイルが大きすぎるため読み込めません（64 MB まで）。</source>
        <translation>The state file is too large to be read (at most 64 MB).</translation>
    </message>
</context>
<context>
    <name>TFormSet</name>
    <message>
        <source>セットファイルを開く(&amp;O)...</source>
        <translation>&amp;Open Set File...</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>セットファイルを保存(&amp;S)...</source>
        <translation>&amp;Save Set File...</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>SETの画像を保存(&amp;P)...</source>
        <translation>Save the Set &amp;Picture...</translation>
    </message>
    <message>
        <source>画像</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>エミュレータのセーブデータを開く(&amp;S)...</source>
        <translation>Open Emulator &amp;Save-State...</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>全て選択(&amp;L)</source>
        <translation>Select A&amp;ll</translation>
    </message>
    <message>
        <source>DRAWモード：カーソル位置のCHR(左)を、SET(右)に設定(&amp;R)</source>
        <translation>DRAW Mode: Put the CHR Tile (Left) into the SET (&amp;Right)</translation>
    </message>
    <message>
        <source>TYPEモード：カーソル位置のSET(右)を、CHR(左)から選択(&amp;L)</source>
        <translation>TYPE Mode: Fill the SET Cursor (Right) from the CHR (&amp;Left)</translation>
    </message>
    <message>
        <source>スプライトモード</source>
        <translation>Sprite Mode</translation>
    </message>
    <message>
        <source>スプライト</source>
        <translation>Sprites</translation>
    </message>
    <message>
        <source>パレットを16x16単位で持つ(&amp;P)</source>
        <translation>One &amp;Palette per 16x16 Block</translation>
    </message>
    <message>
        <source>CHR側のグリッドを表示(&amp;C)</source>
        <translation>Show the &amp;CHR Grid</translation>
    </message>
    <message>
        <source>CHRグリッド</source>
        <translation>CHR grid</translation>
    </message>
    <message>
        <source>BGセット側のグリッドを表示(&amp;B)</source>
        <translation>Show the &amp;BG Grid</translation>
    </message>
    <message>
        <source>BGグリッド</source>
        <translation>BG grid</translation>
    </message>
    <message>
        <source>スプライトを表示</source>
        <translation>Show Sprites</translation>
    </message>
    <message>
        <source>スプライト表示</source>
        <translation>Sprites shown</translation>
    </message>
    <message>
        <source>スプライトCHR(&amp;SPR)を開く...</source>
        <translation>Open Sprite CHR (&amp;SPR)...</translation>
    </message>
    <message>
        <source>スプライト定義(S&amp;PD)を開く...</source>
        <translation>Open Sprite Table (S&amp;PD)...</translation>
    </message>
    <message>
        <source>スプライト定義(S&amp;PD)を保存...</source>
        <translation>Save Sprite Table (S&amp;PD)...</translation>
    </message>
    <message>
        <source>Tavrinメイン画面を表示(&amp;Y)</source>
        <translation>Show the Tavrin Main Window (&amp;Y)</translation>
    </message>
    <message>
        <source>メイン画面</source>
        <translation>Main window</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>モード(&amp;M)</source>
        <translation>&amp;Mode</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>NAMファイル(*.nam)|*.nam;|SETファイル(*.set)|*.set;|VirtuaNES State(*.st?)|*.st?;|全てのファイル|*.*</source>
        <translation>NAM files (*.nam)|*.nam;|SET files (*.set)|*.set;|VirtuaNES State(*.st?)|*.st?;|All files|*.*</translation>
    </message>
    <message>
        <source>NAMファイル(*.nam)|*.nam;|SETファイル(*.set)|*.set;|全てのファイル|*.*</source>
        <translation>NAM files (*.nam)|*.nam;|SET files (*.set)|*.set;|All files|*.*</translation>
    </message>
    <message>
        <source>ビットマップ(*.bmp)|*.bmp;|全てのファイル(*.*)|*.*;</source>
        <translation>Bitmaps (*.bmp)|*.bmp;|All files (*.*)|*.*;</translation>
    </message>
    <message>
        <source>SPRファイル(*.chr;*.spr)|*.chr;*.spr|全てのファイル|*.*</source>
        <translation>SPR files (*.chr;*.spr)|*.chr;*.spr|All files|*.*</translation>
    </message>
    <message>
        <source>SPDファイル(*.spd)|*.spd|全てのファイル|*.*</source>
        <translation>SPD files (*.spd)|*.spd|All files|*.*</translation>
    </message>
</context>
<context>
    <name>Tools</name>
    <message>
        <source>実行に失敗しました：
</source>
        <translation>Could not be run:
</translation>
    </message>
    <message>
        <source>ファイルの保存に失敗しました：
</source>
        <translation>The file could not be saved:
</translation>
    </message>
    <message>
        <source>テンポラリ画像の作成に失敗しました：
</source>
        <translation>The temporary picture could not be written:
</translation>
    </message>
    <message>
        <source>ツールを起動しています。
ツールでの編集が終わったらOKを押してください。

ツールで編集が完了する前にOKを押した場合は、
編集終了時に手動で編集結果を読み込む必要があります。</source>
        <translation>The tool is running.
Press OK when you have finished editing in the tool.

If you press OK before the tool has finished,
read its result in by hand once it is done.</translation>
    </message>
    <message>
        <source>プログラムを &quot;&quot; で囲み、空白を空けてパラメータを続けてください。</source>
        <translation>Put the program in double quotes, followed by a blank and the parameters.</translation>
    </message>
    <message>
        <source>引用符が閉じていません。</source>
        <translation>A quote is not closed.</translation>
    </message>
    <message>
        <source>プログラムかパラメータが 255 バイトを超えています。</source>
        <translation>The program or the parameters are longer than 255 bytes.</translation>
    </message>
    <message>
        <source>プログラムが指定されていません。</source>
        <translation>No program is given.</translation>
    </message>
    <message>
        <source>プログラムが見つかりません。</source>
        <translation>The program was not found.</translation>
    </message>
    <message>
        <source>プログラムを実行する許可がありません。</source>
        <translation>The program may not be run (it is not an executable file).</translation>
    </message>
</context>
<context>
    <name>tavrin::DisplaySettingsPanel</name>
    <message>
        <source>編集中領域</source>
        <translation>Edit area</translation>
    </message>
    <message>
        <source>グリッド左</source>
        <translation>Grid left</translation>
    </message>
    <message>
        <source>グリッド右</source>
        <translation>Grid right</translation>
    </message>
    <message>
        <source>画像形式:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>情報...</source>
        <translation>Info...</translation>
    </message>
    <message>
        <source>回転:</source>
        <translation>Turn:</translation>
    </message>
    <message>
        <source>反転:</source>
        <translation>Mirror:</translation>
    </message>
    <message>
        <source>表示パターン:</source>
        <translation>Pattern:</translation>
    </message>
    <message>
        <source>編集...</source>
        <translation>Edit...</translation>
    </message>
    <message>
        <source>グリッド:</source>
        <translation>Grid:</translation>
    </message>
    <message>
        <source>点</source>
        <translation>Dots</translation>
    </message>
    <message>
        <source>点線</source>
        <translation>Dotted</translation>
    </message>
    <message>
        <source>破線</source>
        <translation>Dashed</translation>
    </message>
    <message>
        <source>線</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>倍率:</source>
        <translation>Zoom:</translation>
    </message>
</context>
<context>
    <name>tavrin::MainWindow</name>
    <message>
        <source>圧縮ブロックが元のファイルに見つかりません。
保存すると、この名前の別のファイルになります。</source>
        <translation>The packed block is no longer in its file.
Saving writes a separate file under this name.</translation>
    </message>
    <message>
        <source>ゲーム機のパレットメモリです。
パレット定義（.dat）に読み込みますか？
（いいえ：パレット（.pal）に読み込みます）</source>
        <translation>This is a console's palette memory.
Load it into the palette set (.dat)?
(No: load it into the palette (.pal))</translation>
    </message>
    <message>
        <source>パレット定義（.dat）の色を書き出しますか？
（いいえ：パレット（.pal）の色を書き出します）</source>
        <translation>Export the colours of the palette set (.dat)?
(No: export the colours of the palette (.pal))</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 は変更されています。
変更を保存しますか？</source>
        <translation>%1 has been changed.
Save the changes?</translation>
    </message>
    <message>
        <source>%1 の変更は保存されていません。
変更を破棄して読み込み直しますか？</source>
        <translation>The changes to %1 have not been saved.
Drop them and read the file again?</translation>
    </message>
    <message>
        <source>ファイルの終わりより後ろに描いた部分があります。
ファイルをページの終わりまで延ばして保存しますか？
（いいえ：元の大きさで保存します）</source>
        <translation>Something was drawn past the end of the file.
Extend the file to the end of the page and save?
(No: save at its own size)</translation>
    </message>
    <message>
        <source>DATパレット|*.dat|全てのファイル|*.*</source>
        <translation>DAT palette sets|*.dat|All files|*.*</translation>
    </message>
    <message>
        <source>PALパレット|*.pal|全てのファイル|*.*</source>
        <translation>PAL palettes|*.pal|All files|*.*</translation>
    </message>
    <message>
        <source>ADFパターン|*.adf|全てのファイル|*.*</source>
        <translation>ADF patterns|*.adf|All files|*.*</translation>
    </message>
    <message>
        <source>ビットマップ|*.bmp|全てのファイル|*.*</source>
        <translation>Bitmaps|*.bmp|All files|*.*</translation>
    </message>
    <message>
        <source>ステートファイル|*.st?;*.zs?;*.sv?;|全てのファイル|*.*</source>
        <translation>Save-state files|*.st?;*.zs?;*.sv?;|All files|*.*</translation>
    </message>
    <message>
        <source>圧縮したデータ (%1 バイト) が元の場所 (%2 バイト) に収まりません。
ファイルの末尾 0x%3 に追加しますか？</source>
        <translation>The packed data (%1 bytes) does not fit in its old place (%2 bytes).
Append it at the end of the file, at 0x%3?</translation>
    </message>
    <message>
        <source>元のデータを指すポインタが %1 個見つかりました。
新しい場所を指すように書き換えますか？</source>
        <translation>%1 pointers to the old data were found.
Point them at the new place?</translation>
    </message>
    <message>
        <source>圧縮データは見つかりませんでした。</source>
        <translation>No compressed data found.</translation>
    </message>
    <message>
        <source>保存されていない変更が残っています：
%1

はい：変更を元に戻して開きます
いいえ：変更を破棄します
キャンセル：後で決めます（次の起動でもう一度聞きます）</source>
        <translation>Unsaved changes were left:
%1

Yes: open the file with the changes back
No: discard the changes
Cancel: decide later (you will be asked at the next start)</translation>
    </message>
</context>
<context>
    <name>tavrin::TPackedBlockWindow</name>
    <message>
        <source>圧縮データの一覧</source>
        <translation>Compressed Data</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>検索(&amp;S)</source>
        <translation>&amp;Scan</translation>
    </message>
    <message>
        <source>最小サイズ</source>
        <translation>Minimum size</translation>
    </message>
    <message>
        <source>アライメント</source>
        <translation>Alignment</translation>
    </message>
    <message>
        <source>アドレス</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>形式</source>
        <translation>Codec</translation>
    </message>
    <message>
        <source>圧縮サイズ</source>
        <translation>Packed size</translation>
    </message>
    <message>
        <source>展開サイズ</source>
        <translation>Unpacked size</translation>
    </message>
</context>
<context>
    <name>tavrin::TColorOptimizeDlg</name>
    <message>
        <source>色の最適化</source>
        <translation>Colour Optimisation</translation>
    </message>
    <message>
        <source>元画像(前処理適用):</source>
        <translation>Source (prepared):</translation>
    </message>
    <message>
        <source>プレビュー:</source>
        <translation>Preview:</translation>
    </message>
    <message>
        <source>処理前に画像の色数を減らす</source>
        <translation>Reduce the colours first</translation>
    </message>
    <message>
        <source>パレット数を指定する</source>
        <translation>Number of palette entries</translation>
    </message>
    <message>
        <source>使用頻度の高い順にパレットを並べる</source>
        <translation>Most used colours first</translation>
    </message>
    <message>
        <source>使用頻度の少ない色を統合する</source>
        <translation>Merge colours that are rarely used</translation>
    </message>
    <message>
        <source>この機能は未実装です</source>
        <translation>Not available yet</translation>
    </message>
</context>
<context>
    <name>tavrin::TJumpDialog</name>
    <message>
        <source>指定アドレスへ移動</source>
        <translation>Go to Address</translation>
    </message>
    <message>
        <source>移動先のアドレス（16 進数、8 桁まで）</source>
        <translation>The address to go to (hexadecimal, up to 8 digits)</translation>
    </message>
</context>
<context>
    <name>tavrin::TPalEditDialog</name>
    <message>
        <source>パレットエディタ</source>
        <translation>Palette editor</translation>
    </message>
</context>
<context>
    <name>tavrin::TPatternDialog</name>
    <message>
        <source>表示パターン</source>
        <translation>Display Patterns</translation>
    </message>
    <message>
        <source>表示パターンリスト:</source>
        <translation>Patterns:</translation>
    </message>
    <message>
        <source>パターン:</source>
        <translation>Pattern:</translation>
    </message>
    <message>
        <source>名称:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>上へ移動(&amp;P)</source>
        <translation>Move U&amp;p</translation>
    </message>
    <message>
        <source>下へ移動(&amp;L)</source>
        <translation>Move Down (&amp;L)</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>追加・更新(&amp;U)</source>
        <translation>Add or &amp;Update</translation>
    </message>
    <message>
        <source>キャラクターパターン作成</source>
        <translation>Make a Character Pattern</translation>
    </message>
    <message>
        <source>サイズX:</source>
        <translation>Size X:</translation>
    </message>
    <message>
        <source>サイズY:</source>
        <translation>Size Y:</translation>
    </message>
    <message>
        <source>方向:</source>
        <translation>Order:</translation>
    </message>
    <message>
        <source>横</source>
        <translation>Rows</translation>
    </message>
    <message>
        <source>縦</source>
        <translation>Cols</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>tavrin::TReplaceColorDialog</name>
    <message>
        <source>色の置換</source>
        <translation>Replace Colours</translation>
    </message>
    <message>
        <source>置換前の色: ②色選択</source>
        <translation>(2) Colour before</translation>
    </message>
    <message>
        <source>置換後の色: ①対象選択</source>
        <translation>(1) Colour after</translation>
    </message>
</context>
<context>
    <name>tavrin::TFConfigDialog</name>
    <message>
        <source>言語:</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>表示倍率:</source>
        <translation>View scale:</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>（言語と表示倍率は次回の起動から有効）</source>
        <translation>(Language and view scale take effect at the next start)</translation>
    </message>
    <message>
        <source>日本語</source>
        <translation>Japanese</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>マウスホイールの移動量:</source>
        <translation>Mouse wheel step:</translation>
    </message>
    <message>
        <source>ウィンドウタイトルにアドレスを表示する</source>
        <translation>Show the address in the window title</translation>
    </message>
    <message>
        <source>ファイルを開く時に、画像形式を自動で選択する</source>
        <translation>Choose the graphics format when a file is opened</translation>
    </message>
    <message>
        <source>画像形式選択時に、自動でパレット表示を切り替える</source>
        <translation>Switch the palette display with the format</translation>
    </message>
    <message>
        <source>右クリック時にポップアップメニューを使用する</source>
        <translation>Use the pop-up menu on a right click</translation>
    </message>
    <message>
        <source>1画面より小さな画像を元のファイルサイズで保存する (チェックしない場合1画面サイズまで拡張)</source>
        <translation>Save images smaller than one page at their own size (unchecked: extended to one page)</translation>
    </message>
    <message>
        <source>ウィンドウの位置を保存する</source>
        <translation>Save the window position</translation>
    </message>
    <message>
        <source>対応拡張子:</source>
        <translation>Extensions:</translation>
    </message>
</context>
<context>
    <name>tavrin::TToolConfigDialog</name>
    <message>
        <source>外部ツール設定</source>
        <translation>External Tools</translation>
    </message>
    <message>
        <source>ツールの定義</source>
        <translation>Tool</translation>
    </message>
    <message>
        <source>名称:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>有効</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source>コマンドライン:</source>
        <translation>Command line:</translation>
    </message>
    <message>
        <source>参照...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>動作設定:</source>
        <translation>Steps:</translation>
    </message>
    <message>
        <source>ツール実行前にファイル(%FILE)を保存する</source>
        <translation>Save the file (%FILE) before the tool runs</translation>
    </message>
    <message>
        <source>ツール実行後にファイル(%FILE)を読み込む</source>
        <translation>Read the file (%FILE) again after the tool</translation>
    </message>
    <message>
        <source>ツール実行前に表示中の画像からテンポラリ画像(%TEMP)を作成する</source>
        <translation>Write the page shown as the temporary picture (%TEMP) first</translation>
    </message>
    <message>
        <source>ツール実行後にテンポラリ画像(%TEMP)を表示中の位置に貼り付ける</source>
        <translation>Paste the temporary picture (%TEMP) back into the page afterwards</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>[パラメータ]</source>
        <translation>[Parameters]</translation>
    </message>
    <message>
        <source>%FILE : 開いているファイル名</source>
        <translation>%FILE : the open file</translation>
    </message>
    <message>
        <source>%TEMP : テンポラリ画像ファイル名(表示中の128x128の画像)</source>
        <translation>%TEMP : the temporary picture (the 128x128 page shown)</translation>
    </message>
    <message>
        <source>%EXEPATH : Tavrinのプログラムのあるパス</source>
        <translation>%EXEPATH : the folder of the Tavrin program</translation>
    </message>
    <message>
        <source>コマンドライン例:</source>
        <translation>Example:</translation>
    </message>
    <message>
        <source>※実行ファイル名は短いパスであっても&quot;&quot;で括って下さい。</source>
        <translation>* Put the program in double quotes, even a short path.</translation>
    </message>
    <message>
        <source>※ツール実行中はTavrinには終了待ちダイアログが出ます。</source>
        <translation>* While a tool runs, Tavrin waits in a message box.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;ツール側でデータを保存した後にOKボタンを押してください。</source>
        <translation>   Press OK after the tool has saved its data.</translation>
    </message>
    <message>
        <source>未定義</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>設定の保存に失敗しました：
</source>
        <translation>The settings could not be saved:
</translation>
    </message>
    <message>
        <source>実行形式ファイル|*|全てのファイル|*</source>
        <translation>Programs|*|All files|*</translation>
    </message>
</context>
<context>
    <name>PageTransfer</name>
    <message>
        <source>画像の幅は %1 ピクセルです。左の %2 列だけを読み込みました。</source>
        <translation>The image is %1 pixels wide. Only its left %2 columns were loaded.</translation>
    </message>
    <message>
        <source>画像の高さは %1 ピクセルです。上の %2 行だけを読み込みました。</source>
        <translation>The image is %1 pixels high. Only its top %2 rows were loaded.</translation>
    </message>
</context>
<context>
    <name>PaletteFiles</name>
    <message>
        <source>パレットファイル (形式を自動判別)</source>
        <translation>Palette files (format found from the file)</translation>
    </message>
    <message>
        <source>全てのファイル</source>
        <translation>All files</translation>
    </message>
    <message>
        <source>対応する形式のパレットファイルではありません。
期待した形式: %1</source>
        <translation>Not a palette file of a known format.
Expected: %1</translation>
    </message>
    <message>
        <source>複数の形式に当てはまります（%1）。
ファイルの種類で形式を選んでください。</source>
        <translation>The file fits several formats (%1).
Choose the format in the file type list.</translation>
    </message>
    <message>
        <source>%1 のパレットではありません。
1 行目は %2 のはずです。</source>
        <translation>Not a %1 palette.
The first line should be %2.</translation>
    </message>
    <message>
        <source>%1 のパレットの %2 行目が色ではありません（期待: %3）。</source>
        <translation>Line %2 of the %1 palette is not a colour (expected: %3).</translation>
    </message>
    <message>
        <source>%1 のパレットに色がありません。</source>
        <translation>The %1 palette holds no colours.</translation>
    </message>
    <message>
        <source>%1 には %2 個までしか入らないため、残りの %3 個は書き出していません。</source>
        <translation>%1 holds at most %2 entries; the other %3 were not written.</translation>
    </message>
    <message>
        <source>画像にパレットがありません。
インデックスカラーの PNG か BMP が必要です。</source>
        <translation>The image has no palette.
An indexed PNG or BMP is needed.</translation>
    </message>
    <message>
        <source>画像が壊れています（%1）。</source>
        <translation>The image is damaged (%1).</translation>
    </message>
    <message>
        <source>ファイルには %2 個のうち %1 個しかありません。あるだけ読み込みました。</source>
        <translation>The file holds only %1 of %2 entries. Those were read.</translation>
    </message>
    <message>
        <source>パレットの後の %1 バイトは無視しました。</source>
        <translation>The %1 bytes after the palette were ignored.</translation>
    </message>
</context>
<context>
    <name>Navigator</name>
    <message>
        <source>ファイルが見つかりません：</source>
        <translation>File not found:</translation>
    </message>
    <message>
        <source>ブックマークの読めない行を飛ばしました：</source>
        <translation>Lines of the bookmarks that could not be read were skipped:</translation>
    </message>
    <message>
        <source>行</source>
        <translation>line</translation>
    </message>
    <message>
        <source>ブックマークは保存したファイルに付けられます。</source>
        <translation>Bookmarks belong to a saved file. Save the file first.</translation>
    </message>
    <message>
        <source>見つかりませんでした。</source>
        <translation>Not found.</translation>
    </message>
    <message>
        <source>ファイルの最後まで探したので、最初から探しました。</source>
        <translation>Reached the end of the file; searched on from the start.</translation>
    </message>
    <message>
        <source>ファイルの最初まで探したので、最後から探しました。</source>
        <translation>Reached the start of the file; searched on from the end.</translation>
    </message>
    <message>
        <source>アドレス</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>タイル</source>
        <translation>Tile</translation>
    </message>
</context>
<context>
    <name>ConfigDialog</name>
    <message>
        <source>Windws default : </source>
        <translation>Windows default : </translation>
    </message>
</context>
<context>
    <name>FormatInfo</name>
    <message>
        <source>Charactor width       	: </source>
        <translation>Character width       	: </translation>
    </message>
    <message>
        <source>Charactor height      	: </source>
        <translation>Character height      	: </translation>
    </message>
</context>
<context>
    <name>tavrin::ImageBridge</name>
    <message>
        <source>インデックスカラーの画像ではありません（8 ビット以下でパレット付き）</source>
        <translation>not an indexed image (8 bits per pixel or less with a palette)</translation>
    </message>
    <message>
        <source>ファイルがありません</source>
        <translation>no such file</translation>
    </message>
    <message>
        <source>ファイルを読めません</source>
        <translation>cannot read the file</translation>
    </message>
</context>
<context>
    <name>tavrin::NavigateController</name>
    <message>
        <source>最近使ったファイルの一覧を消去</source>
        <translation>Clear the recent files list</translation>
    </message>
    <message>
        <source>ブックマークの名前:</source>
        <translation>Bookmark name:</translation>
    </message>
    <message>
        <source>ブックマークを追加</source>
        <translation>Add Bookmark</translation>
    </message>
</context>
<context>
    <name>tavrin::TBookmarkWindow</name>
    <message>
        <source>ブックマーク</source>
        <translation>Bookmarks</translation>
    </message>
    <message>
        <source>移動(&amp;G)</source>
        <translation>&amp;Go to</translation>
    </message>
    <message>
        <source>名前の変更(&amp;R)</source>
        <translation>&amp;Rename</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>上へ(&amp;U)</source>
        <translation>Move &amp;Up</translation>
    </message>
    <message>
        <source>下へ(&amp;N)</source>
        <translation>Move Dow&amp;n</translation>
    </message>
    <message>
        <source>ブックマーク「%1」を削除しますか？</source>
        <translation>Delete the bookmark “%1”?</translation>
    </message>
</context>
<context>
    <name>tavrin::TFindBytesDialog</name>
    <message>
        <source>探すバイト列を入力してください。</source>
        <translation>Type the bytes to search for.</translation>
    </message>
    <message>
        <source>16進数には 0-9、A-F と ? だけが使えます。</source>
        <translation>Hexadecimal bytes take only 0-9, A-F and ?.</translation>
    </message>
    <message>
        <source>1バイトは16進数2桁で書いてください。</source>
        <translation>Write each byte as two hexadecimal digits.</translation>
    </message>
    <message>
        <source>?? 以外のバイトを1つ以上入れてください。</source>
        <translation>Give at least one byte other than ??.</translation>
    </message>
    <message>
        <source>ASCII にない文字があります。</source>
        <translation>The text has characters outside ASCII.</translation>
    </message>
    <message>
        <source>cp932 で書けない文字があります。</source>
        <translation>The text has characters that cp932 cannot write.</translation>
    </message>
    <message>
        <source>探せるのは256バイトまでです。</source>
        <translation>At most 256 bytes can be searched for.</translation>
    </message>
    <message>
        <source>バイト列を探す</source>
        <translation>Find Bytes</translation>
    </message>
    <message>
        <source>16進数</source>
        <translation>Hexadecimal</translation>
    </message>
    <message>
        <source>下へ(&amp;D)</source>
        <translation>&amp;Down</translation>
    </message>
    <message>
        <source>上へ(&amp;U)</source>
        <translation>&amp;Up</translation>
    </message>
    <message>
        <source>探す(&amp;S)</source>
        <translation>&amp;Search</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>探す値(&amp;T):</source>
        <translation>&amp;Text:</translation>
    </message>
    <message>
        <source>種類:</source>
        <translation>Kind:</translation>
    </message>
</context>
</TS>
