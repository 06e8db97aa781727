<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>Animation</name>
    <message>
        <source>not an animated cursor (no RIFF header; found &quot;%1&quot;)</source>
        <translation>%1アニメーションカーソルではありません1</translation>
    </message>
    <message>
        <source>not an animated cursor (no ACON form; found &quot;%1&quot;)</source>
        <translation>%1アニメーションカーソルではありません2</translation>
    </message>
    <message>
        <source>a step names a frame that does not exist; the step was corrected</source>
        <translation>論理フレーム番号が物理フレーム数を越えています。
論理フレーム番号を修正します</translation>
    </message>
    <message>
        <source>the file is damaged (%1 chunk)</source>
        <translation>ファイルが壊れています:%1</translation>
    </message>
    <message>
        <source>more than 100 steps; only the first 100 were read</source>
        <translation>ステップ数が100を越えています。
先頭の100ステップだけを読み込みます</translation>
    </message>
    <message>
        <source>more than 1000 frames; only the first 1000 were read</source>
        <translation>フレーム数が1000を越えています。
先頭の1000フレームだけを読み込みます</translation>
    </message>
    <message>
        <source>Insert after the selected position?</source>
        <translation>指定位置の後に挿入しますか?</translation>
    </message>
</context>
<context>
    <name>Bitmap</name>
    <message>
        <source>The bitmap data is not valid (%1)</source>
        <translation>ビットマップのデータが正しくありません（%1）</translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>&amp;New</source>
        <translation>新規作成(&amp;N)</translation>
    </message>
    <message>
        <source>Creates a new document</source>
        <translation>新規作成</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>開く(&amp;O)...</translation>
    </message>
    <message>
        <source>Opens a file</source>
        <translation>ファイルを開きます</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>上書き保存(&amp;S)</translation>
    </message>
    <message>
        <source>Saves over the file</source>
        <translation>上書き保存します</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>名前をつけて保存(&amp;A)...</translation>
    </message>
    <message>
        <source>Saves under a new name</source>
        <translation>名前を付けて保存します</translation>
    </message>
    <message>
        <source>&amp;Batch Save...</source>
        <translation>一括保存(&amp;B)...</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>ｲﾝﾎﾟｰﾄ(&amp;I)...</translation>
    </message>
    <message>
        <source>Takes in a resource from a file</source>
        <translation>ファイルからリソースを取り込みます</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>ｴｸｽﾎﾟｰﾄ(&amp;E)...</translation>
    </message>
    <message>
        <source>Saves a resource to a file</source>
        <translation>ファイルにリソースを保存します</translation>
    </message>
    <message>
        <source>Replace This &amp;Group with the Current Icon and Save...</source>
        <translation>このグループを現在のアイコンで置き換えて保存(&amp;G)...</translation>
    </message>
    <message>
        <source>Replaces this group of the program with the icon being edited and saves under a new name</source>
        <translation>実行ファイルのこのグループを編集中のアイコンに置き換え、別名で保存します</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>Quits the program</source>
        <translation>プログラムを終了します</translation>
    </message>
    <message>
        <source>&amp;Tool Bar</source>
        <translation>ツールバー(&amp;T)</translation>
    </message>
    <message>
        <source>Shows or hides the tool bar</source>
        <translation>ツールバーの表示を切り替えます</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>ステータスバー(&amp;S)</translation>
    </message>
    <message>
        <source>Shows or hides the status bar</source>
        <translation>ｽﾃｰﾀｽﾊﾞｰの表示を切り替えます</translation>
    </message>
    <message>
        <source>&amp;Editing Panel</source>
        <translation>編集パネル(&amp;E)</translation>
    </message>
    <message>
        <source>Shows or hides the editing panel</source>
        <translation>編集パネルの表示を切り替えます</translation>
    </message>
    <message>
        <source>Large Icons</source>
        <translation>大きいアイコン</translation>
    </message>
    <message>
        <source>Small Icons</source>
        <translation>小さいアイコン</translation>
    </message>
    <message>
        <source>List</source>
        <translation>一覧</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>詳細</translation>
    </message>
    <message>
        <source>Icon &amp;Check...</source>
        <translation>アイコンチェック(&amp;C)...</translation>
    </message>
    <message>
        <source>Checks the icon&apos;s transparent areas.</source>
        <translation>アイコンの透明領域を確認します。</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>元に戻す(&amp;Z)</translation>
    </message>
    <message>
        <source>Undoes the last edit</source>
        <translation>直前の編集を取り消します</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>やり直し(&amp;Y)</translation>
    </message>
    <message>
        <source>Redoes the edit undone</source>
        <translation>取り消した編集をやり直します</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>切り取り(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>ｺﾋﾟｰ(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>貼り付け(&amp;P)</translation>
    </message>
    <message>
        <source>Take In &amp;Bitmap</source>
        <translation>ﾋﾞｯﾄﾏｯﾌﾟ取り込み(&amp;B)</translation>
    </message>
    <message>
        <source>Takes in the bitmap</source>
        <translation>ﾋﾞｯﾄﾏｯﾌﾟを取り込みます</translation>
    </message>
    <message>
        <source>C&amp;onvert Resource</source>
        <translation>ﾘｿｰｽ変換(&amp;O)</translation>
    </message>
    <message>
        <source>Changes the resource&apos;s kind, size and colours</source>
        <translation>リソースの種類・サイズ・色数を変更します</translation>
    </message>
    <message>
        <source>Rep&amp;lace Resource</source>
        <translation>ﾘｿｰｽ更新(&amp;U)</translation>
    </message>
    <message>
        <source>Replace the resource</source>
        <translation>リソースの置き換え</translation>
    </message>
    <message>
        <source>&amp;Add Resource</source>
        <translation>ﾘｿｰｽの追加(&amp;A)</translation>
    </message>
    <message>
        <source>Insert a resource</source>
        <translation>リソースの挿入</translation>
    </message>
    <message>
        <source>&amp;180 Degrees</source>
        <translation>180度(&amp;1)</translation>
    </message>
    <message>
        <source>Rotate 180 degrees</source>
        <translation>180度回転</translation>
    </message>
    <message>
        <source>Rotate 90 Degrees &amp;Right</source>
        <translation>右に90度回転(&amp;R)</translation>
    </message>
    <message>
        <source>Rotate 90 degrees right</source>
        <translation>右に90度回転</translation>
    </message>
    <message>
        <source>Rotate 90 Degrees &amp;Left</source>
        <translation>左に90度回転(&amp;L)</translation>
    </message>
    <message>
        <source>Rotates 90 degrees left</source>
        <translation>左に90度回転します</translation>
    </message>
    <message>
        <source>Rotates by any angle</source>
        <translation>任意の角度に回転をします</translation>
    </message>
    <message>
        <source>Flip vertically</source>
        <translation>上下方向に反転</translation>
    </message>
    <message>
        <source>Flip horizontally</source>
        <translation>左右方向に反転</translation>
    </message>
    <message>
        <source>Invert &amp;Mask</source>
        <translation>ﾏｽｸの反転&apos;(&amp;M)</translation>
    </message>
    <message>
        <source>Invert the mask</source>
        <translation>ﾏｽｸの反転</translation>
    </message>
    <message>
        <source>&amp;Fill Mask</source>
        <translation>ﾏｽｸの塗りつぶし(&amp;F)</translation>
    </message>
    <message>
        <source>Fill the mask</source>
        <translation>ﾏｽｸの塗りつぶし</translation>
    </message>
    <message>
        <source>Auto-Complete &amp;Icons</source>
        <translation>ｱｲｺﾝの自動補完(&amp;I)</translation>
    </message>
    <message>
        <source>Auto-complete icons</source>
        <translation>アイコン自動補完</translation>
    </message>
    <message>
        <source>Resi&amp;ze Bitmap...</source>
        <translation>ビットマップの拡大・縮小(&amp;Z)...</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>ｵﾌﾟｼｮﾝ(&amp;O)</translation>
    </message>
    <message>
        <source>Sets the options</source>
        <translation>ｵﾌﾟｼｮﾝを設定します</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>目次(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Search for Help On...</source>
        <translation>ﾄﾋﾟｯｸの検索(&amp;S)...</translation>
    </message>
    <message>
        <source>Searches the topics</source>
        <translation>ﾄﾋﾟｯｸを検索します</translation>
    </message>
    <message>
        <source>&amp;How to Use Help</source>
        <translation>ﾍﾙﾌﾟの使い方(&amp;H)</translation>
    </message>
    <message>
        <source>Shows how to use the help</source>
        <translation>ヘルプの使い方を表示します</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>ﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</translation>
    </message>
    <message>
        <source>Shows the program&apos;s version</source>
        <translation>プログラムのバージョンを表示します</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新規</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Open a file</source>
        <translation>ファイルを開く</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save the file</source>
        <translation>ファイルの保存</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>戻す</translation>
    </message>
    <message>
        <source>Undo the last edit</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>やり直し</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>切取</translation>
    </message>
    <message>
        <source>Cut the selection</source>
        <translation>切り取り</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>ｺﾋﾟｰ</translation>
    </message>
    <message>
        <source>Copy the selection</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>貼付</translation>
    </message>
    <message>
        <source>Paste from the clipboard</source>
        <translation>貼り付け</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>大</translation>
    </message>
    <message>
        <source>Large icons</source>
        <translation>大きいｱｲｺﾝ</translation>
    </message>
    <message>
        <source>Small</source>
        <translation>小</translation>
    </message>
    <message>
        <source>Small icons</source>
        <translation>小さいｱｲｺﾝ</translation>
    </message>
    <message>
        <source>Check</source>
        <translation>ﾁｪｯｸ</translation>
    </message>
    <message>
        <source>Check the icon&apos;s transparent areas</source>
        <translation>アイコンの透明領域を確認</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>ﾍﾙﾌﾟ</translation>
    </message>
    <message>
        <source>Show the help</source>
        <translation>ヘルプ表示</translation>
    </message>
    <message>
        <source>Take In</source>
        <translation>取込</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>変換</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>ｲﾝﾎﾟｰﾄ</translation>
    </message>
    <message>
        <source>Import a resource</source>
        <translation>リソースのインポート</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>ｴｸｽﾎﾟｰﾄ</translation>
    </message>
    <message>
        <source>Export the resource</source>
        <translation>リソースのエクスポート</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Flip V</source>
        <translation>上下</translation>
    </message>
    <message>
        <source>Flips top and bottom</source>
        <translation>上下を反転します</translation>
    </message>
    <message>
        <source>Flip H</source>
        <translation>左右</translation>
    </message>
    <message>
        <source>Flips left and right</source>
        <translation>左右を反転します</translation>
    </message>
    <message>
        <source>Left 90</source>
        <translation>左90</translation>
    </message>
    <message>
        <source>Rotate 90 degrees left</source>
        <translation>左に90度回転(&amp;R)</translation>
    </message>
    <message>
        <source>Right 90</source>
        <translation>右90</translation>
    </message>
    <message>
        <source>Rotates 90 degrees right</source>
        <translation>右に90度回転します</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>ﾏｽｸ反転</translation>
    </message>
    <message>
        <source>Fill</source>
        <translation>ﾏｽｸ塗潰</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自動補完</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>Rotat&amp;e</source>
        <translation>画像回転(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>By Angle...</source>
        <translation>角度入力...</translation>
    </message>
    <message>
        <source>Flip Vertically</source>
        <translation>上下方向に反転</translation>
    </message>
    <message>
        <source>Flip Horizontally</source>
        <translation>左右方向に反転</translation>
    </message>
</context>
<context>
    <name>EditState</name>
    <message>
        <source>32 bit (alpha)</source>
        <translation>32ﾋﾞｯﾄ (ｱﾙﾌｧ)</translation>
    </message>
</context>
<context>
    <name>Editor</name>
    <message>
        <source>The title or creator holds characters that Shift-JIS cannot represent: %1
Save as UTF-8?
(No: save as Shift-JIS, and these characters become ?)</source>
        <translation>タイトル・作者に Shift-JIS で表せない文字があります: %1
UTF-8 で保存しますか?
(いいえ: Shift-JIS で保存し、これらの文字は ? になります)</translation>
    </message>
    <message>
        <source>Enter the output folder</source>
        <translation>出力フォルダを入力してください</translation>
    </message>
    <message>
        <source>The output folder does not exist</source>
        <translation>出力フォルダが存在しません</translation>
    </message>
    <message>
        <source>Enter the file name</source>
        <translation>ファイル名を入力してください</translation>
    </message>
    <message>
        <source>The clipboard holds no bitmap</source>
        <translation>クリップボードにビットマップが含まれていません</translation>
    </message>
    <message>
        <source>No icon or cursor resource has been made</source>
        <translation>アイコン・カーソルリソースが作成されていません</translation>
    </message>
    <message>
        <source>No animated cursor resource has been made</source>
        <translation>アニメーションカーソルリソースが作成されていません</translation>
    </message>
    <message>
        <source>This file has the extension &quot;ico&quot;, but its contents are a bitmap (&quot;bmp&quot;).
It is read as a bitmap file.</source>
        <translation>このファイルは拡張子が &quot;ico&quot;ですが、中身は ビットマップ(&quot;bmp&quot;)です。
ビットマップファイルとして読み込みます。</translation>
    </message>
    <message>
        <source>The image (%1) and the mask (%2) differ in size. Make them the same size before storing them.</source>
        <translation>イメージ (%1) とマスク (%2) の大きさが違います。同じ大きさにしてから登録してください。</translation>
    </message>
    <message>
        <source>Select what to replace</source>
        <translation>置き換える対象を選択してください</translation>
    </message>
    <message>
        <source>Untitled animation</source>
        <translation>無題のアニメーション</translation>
    </message>
    <message>
        <source>Untitled icon</source>
        <translation>無題のアイコン</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has been changed. Save the changes?</source>
        <translation>「%1」は変更されています。変更を保存しますか?</translation>
    </message>
    <message>
        <source>For this setting to take effect, set the colour palette in the display settings of the control panel to 16 bit or more. Windows restarts after the setting.</source>
        <translation>この設定を有効にする為には、コントロールパネルの画面設定、カラーパレットを16bit 以上にしてください。設定後 Windowsを再起動を行います。</translation>
    </message>
    <message>
        <source>The image and mask being edited are not stored in a resource yet. Store them in the resource?</source>
        <translation>編集中のイメージとマスクはまだリソースに登録されていません。リソースに登録しますか?</translation>
    </message>
    <message>
        <source>A 16-bit program cannot be written</source>
        <translation>16ビットのプログラムには書き込めません</translation>
    </message>
    <message>
        <source>The program is damaged and cannot be written</source>
        <translation>プログラムが壊れているため書き込めません</translation>
    </message>
    <message>
        <source>The data after the program cannot be moved, so the program cannot be written</source>
        <translation>プログラムの後ろにあるデータを動かせないため書き込めません</translation>
    </message>
    <message>
        <source>There is no room to add a section, so the program cannot be written</source>
        <translation>セクションを追加する場所がないため書き込めません</translation>
    </message>
    <message>
        <source>The program cannot be written</source>
        <translation>プログラムに書き込めません</translation>
    </message>
    <message>
        <source>Cannot save over the open file
Give another name</source>
        <translation>開いているファイルには保存できません
別の名前を指定してください</translation>
    </message>
    <message>
        <source>This program is signed (it has a certificate)
Remove the signature and save?</source>
        <translation>このプログラムには署名(証明書)があります
署名を取り除いて保存しますか?</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be read in full.
Overwriting it loses the parts that could not be read from the file.
Overwrite it? (No: save under another name)</source>
        <translation>「%1」は一部を読み込めませんでした。
上書きすると、読み込めなかった部分はファイルから失われます。
上書きしますか?(いいえ: 別の名前で保存)</translation>
    </message>
    <message>
        <source>Cannot export to &quot;%1&quot;. Give the name one of the extensions .ico .cur .bmp .dib .jpg .jpeg .png.</source>
        <translation>「%1」には書き出せません。名前の拡張子を .ico .cur .bmp .dib .jpg .jpeg .png のいずれかにしてください。</translation>
    </message>
    <message>
        <source>Choose image or mask with the resource selection buttons to choose what to export</source>
        <translation>エクスポートするリソースをリソース選択ボタンで、image か mask を選択してください</translation>
    </message>
</context>
<context>
    <name>Entries</name>
    <message>
        <source>image and mask differ in size</source>
        <translation>イメージとマスクの大きさが違います</translation>
    </message>
    <message>
        <source>cannot be saved in ICNS</source>
        <translation>ICNS に保存できません</translation>
    </message>
    <message>
        <source>There is no entry %1 (the set holds %2)</source>
        <translation>エントリ %1 はありません（エントリは %2 個です）</translation>
    </message>
    <message>
        <source>The entry %1 holds no image</source>
        <translation>エントリ %1 にはイメージがありません</translation>
    </message>
    <message>
        <source>The 32-bit image of the entry is incomplete</source>
        <translation>エントリの 32 ビットイメージが欠けています</translation>
    </message>
    <message>
        <source>The mask picture is %1 x %2; an entry needs a positive, bottom-up size</source>
        <translation>%1 x %2 の画像はエントリにできません</translation>
    </message>
    <message>
        <source>The mask picture is not an uncompressed 1-bit picture</source>
        <translation>マスクが非圧縮の 1 ビット画像ではありません</translation>
    </message>
    <message>
        <source>The image picture is %1 x %2; an entry needs a positive, bottom-up size</source>
        <translation>%1 x %2 の画像はエントリにできません</translation>
    </message>
    <message>
        <source>The image picture (%1 bits, compression %2) cannot be an entry</source>
        <translation>%1 ビット（圧縮 %2）の画像はエントリにできません</translation>
    </message>
    <message>
        <source>The image is %1 x %2 but the mask is %3 x %4</source>
        <translation>イメージは %1 x %2 ですが、マスクは %3 x %4 です。大きさをそろえてください</translation>
    </message>
    <message>
        <source>The image picture states %1 colours</source>
        <translation>画像の色数 %1 は多すぎます</translation>
    </message>
    <message>
        <source>The image picture does not state its colour-table size</source>
        <translation>画像のカラーテーブルの大きさが不明です</translation>
    </message>
    <message>
        <source>the entry holds no image</source>
        <translation>エントリにイメージがありません</translation>
    </message>
    <message>
        <source>the entry&apos;s size %1 x %2 is not supported</source>
        <translation>エントリの大きさ %1 x %2 には対応していません</translation>
    </message>
    <message>
        <source>entries of %1 bits per pixel are not supported</source>
        <translation>%1 ビットのエントリには対応していません</translation>
    </message>
    <message>
        <source>compressed entries are not supported</source>
        <translation>圧縮されたエントリには対応していません</translation>
    </message>
    <message>
        <source>the entry&apos;s image rows are cut short</source>
        <translation>エントリのイメージが途中で切れています</translation>
    </message>
    <message>
        <source>a picture of %1 x %2 cannot become an entry</source>
        <translation>%1 x %2 の画像はエントリにできません</translation>
    </message>
    <message>
        <source>entry %1 holds no complete image</source>
        <translation>エントリ %1 には完全なイメージがありません</translation>
    </message>
    <message>
        <source>entry index %1 is not in use</source>
        <translation>エントリ %1 は使われていません</translation>
    </message>
    <message>
        <source>The entry&apos;s picture is %1 x %2</source>
        <translation>エントリの画像の大きさ %1 x %2 が正しくありません</translation>
    </message>
    <message>
        <source>entry index %1 is outside the table</source>
        <translation>エントリ %1 は範囲外です</translation>
    </message>
    <message>
        <source>InitEntry: invalid image %1 x %2 x %3</source>
        <translation>%1 x %2、%3 ビットのエントリは作れません</translation>
    </message>
</context>
<context>
    <name>FileFilter</name>
    <message>
        <source>Supported files</source>
        <translation>対象ﾌｧｲﾙ</translation>
    </message>
    <message>
        <source>Bitmap</source>
        <translation>ﾋﾞｯﾄﾏｯﾌﾟ</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>ｱｲｺﾝ</translation>
    </message>
    <message>
        <source>Cursor</source>
        <translation>ｶｰｿﾙ</translation>
    </message>
    <message>
        <source>Animated cursor</source>
        <translation>ｱﾆﾒｰｼｮﾝｶｰｿﾙ</translation>
    </message>
    <message>
        <source>All</source>
        <translation>All</translation>
    </message>
    <message>
        <source>All files (*.dib;*.bmp;*.ico;*.emf;*.wmf)</source>
        <translation>すべてのﾌｧｲﾙ (*.dib;*.bmp;*.ico;*.emf;*.wmf)</translation>
    </message>
    <message>
        <source>Bitmap (*.bmp)</source>
        <translation>ﾋﾞｯﾄﾏｯﾌﾟ (*.bmp)</translation>
    </message>
    <message>
        <source>Icon (*.ico)</source>
        <translation>ｱｲｺﾝ (*.ico)</translation>
    </message>
    <message>
        <source>Enhanced metafile (*.emf)</source>
        <translation>ｴﾝﾊﾝｽ ﾒﾀﾌｧｲﾙ (*.emf)</translation>
    </message>
    <message>
        <source>Metafile (*.wmf)</source>
        <translation>ﾒﾀﾌｧｲﾙ (*.wmf)</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>実行ﾌｧｲﾙ</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>すべてのﾌｧｲﾙ</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>Cannot open file &quot;%1&quot;: %2</source>
        <translation>ファイル「%1」を開けません（%2）</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;</source>
        <translation>ファイル「%1」を開けません</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;: %2</source>
        <translation>ファイル「%1」を作成できません（%2）</translation>
    </message>
    <message>
        <source>Cannot replace file &quot;%1&quot;: %2</source>
        <translation>ファイル「%1」を置き換えられません（%2）</translation>
    </message>
    <message>
        <source>Write error on file &quot;%1&quot;: %2</source>
        <translation>ファイル「%1」に書き込めません（%2）</translation>
    </message>
    <message>
        <source>Read error on file &quot;%1&quot;: %2</source>
        <translation>ファイル「%1」を読み込めません（%2）</translation>
    </message>
    <message>
        <source>Read error on file &quot;%1&quot;: the file is too short</source>
        <translation>ファイル「%1」は短すぎます</translation>
    </message>
    <message>
        <source>Not a regular file &quot;%1&quot;</source>
        <translation>「%1」は通常のファイルではありません</translation>
    </message>
    <message>
        <source>File too large &quot;%1&quot;</source>
        <translation>ファイル「%1」は大きすぎます</translation>
    </message>
    <message>
        <source>Cannot replace file &quot;%1&quot;: %2 (the file is write-protected)</source>
        <translation>ファイル「%1」を置き換えられません（%2、書き込み禁止のファイルです）</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;: the symbolic link points nowhere (to &quot;%2&quot;, whose folder does not exist)</source>
        <translation>ファイル「%1」を作成できません（シンボリックリンクの先「%2」のフォルダーがありません）</translation>
    </message>
    <message>
        <source>Read beyond end of file &quot;%1&quot; (%2 at offset %3)</source>
        <translation>ファイル「%1」は途中で終わっています（%3 バイト目、%2）</translation>
    </message>
    <message>
        <source>no such file &quot;%1&quot;</source>
        <translation>ファイル「%1」がありません</translation>
    </message>
    <message>
        <source>no such folder &quot;%1&quot;</source>
        <translation>フォルダー「%1」がありません</translation>
    </message>
    <message>
        <source>cannot create the folder &quot;%1&quot;: %2</source>
        <translation>フォルダー「%1」を作成できません（%2）</translation>
    </message>
    <message>
        <source>cannot create the link &quot;%1&quot;: %2</source>
        <translation>リンク「%1」を作成できません（%2）</translation>
    </message>
    <message>
        <source>Stream read error</source>
        <translation>データが途中で終わっています</translation>
    </message>
    <message>
        <source>cannot resolve the link</source>
        <translation>Resolve Error</translation>
    </message>
</context>
<context>
    <name>Read</name>
    <message>
        <source>(%1 more)</source>
        <translation>(ほか %1 件)</translation>
    </message>
    <message>
        <source>The file cannot be read.</source>
        <translation>読み込めません。</translation>
    </message>
    <message>
        <source>The file does not exist.</source>
        <translation>ファイルがありません。</translation>
    </message>
    <message>
        <source>The file cannot be opened or read.</source>
        <translation>ファイルを開けないか、読み込めません。</translation>
    </message>
    <message>
        <source>The file is too large to read.</source>
        <translation>ファイルが大きすぎるため読み込めません。</translation>
    </message>
    <message>
        <source>The file is cut short.</source>
        <translation>ファイルが途中で切れています。</translation>
    </message>
    <message>
        <source>The file is damaged and cannot be read.</source>
        <translation>ファイルが壊れているため読み込めません。</translation>
    </message>
    <message>
        <source>The contents are not in a format this program reads.</source>
        <translation>中身が対応している形式ではありません。</translation>
    </message>
    <message>
        <source>No icon or cursor images were found.</source>
        <translation>アイコンやカーソルの画像が見つかりませんでした。</translation>
    </message>
    <message>
        <source>This kind of file is not supported.</source>
        <translation>この種類のファイルには対応していません。</translation>
    </message>
    <message>
        <source>This is a picture file, not an icon or cursor file.</source>
        <translation>画像ファイルです。アイコンやカーソルのファイルではありません。</translation>
    </message>
    <message>
        <source>%1 images were over the limit and were not read.</source>
        <translation>%1 個の画像は上限を超えたため読み込まれていません。</translation>
    </message>
    <message>
        <source>Frame %1 is damaged and was not read.</source>
        <translation>フレーム %1 は壊れているため読み込まれていません。</translation>
    </message>
    <message>
        <source>%1 steps were not read.</source>
        <translation>%1 個のステップは読み込まれていません。</translation>
    </message>
    <message>
        <source>The picture data ends early; %1 rows are missing.</source>
        <translation>画像データが途中で終わっています。%1 行が欠けています。</translation>
    </message>
    <message>
        <source>%1 resources could not be read and were skipped.</source>
        <translation>%1 個のリソースは読み込めないため飛ばしました。</translation>
    </message>
    <message>
        <source>%1 resources could not be read and were skipped.(%2)</source>
        <translation>%1 個のリソースは読み込めないため飛ばしました。(%2)</translation>
    </message>
    <message>
        <source>The last image is cut off by the end of the file and was not read.</source>
        <translation>最後の画像はファイルの終わりで切れているため読み込まれていません。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be read in full.</source>
        <translation>「%1」は一部を読み込めませんでした。</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be opened.
%2
(%3)</source>
        <translation>ファイル「%1」を開けませんでした。
%2
(%3)</translation>
    </message>
</context>
<context>
    <name>Set</name>
    <message>
        <source>the set is full (1000 images); nothing more can be added</source>
        <translation>これ以上追加できません</translation>
    </message>
    <message>
        <source>the set is full (1000 images); %1 more image was not read</source>
        <translation>これ以上追加できません。%1 個の画像は読み込まれていません（vornik-cli extract ですべて取り出せます）</translation>
    </message>
    <message>
        <source>the set is full (1000 images); %1 more images were not read</source>
        <translation>これ以上追加できません。%1 個の画像は読み込まれていません（vornik-cli extract ですべて取り出せます）</translation>
    </message>
    <message>
        <source>nothing left to delete</source>
        <translation>これ以上削除できません</translation>
    </message>
    <message>
        <source>cannot delete that entry</source>
        <translation>削除できません</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>Searching...</source>
        <translation>検索中...</translation>
    </message>
    <message>
        <source>Search finished</source>
        <translation>検索終了</translation>
    </message>
    <message>
        <source>Creating the animated cursor: %1</source>
        <translation>アニメーションカーソル作成中 : %1</translation>
    </message>
    <message>
        <source>Automatic creation finished</source>
        <translation>自動作成が終了しました</translation>
    </message>
</context>
<context>
    <name>SystemError</name>
    <message>
        <source>No such file or directory</source>
        <translation>ファイルまたはフォルダーがありません</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>アクセスが拒否されました</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <translation>操作は許可されていません</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>フォルダーです</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <translation>フォルダーではありません</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation>ディスクの空きがありません</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <translation>読み取り専用のファイルシステムです</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <translation>シンボリックリンクが多すぎます</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>ファイル名が長すぎます</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <translation>入出力エラー</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <translation>ディスクの割り当てを超えました</translation>
    </message>
    <message>
        <source>File exists</source>
        <translation>ファイルが既にあります</translation>
    </message>
</context>
<context>
    <name>Write</name>
    <message>
        <source>Cannot write the animated cursor: frame %1 %2</source>
        <translation>アニメーションカーソルを書き込めません: フレーム %1 のイメージが正しくありません（%2）</translation>
    </message>
    <message>
        <source>Cannot write the animated cursor: more than 4 GiB of frames</source>
        <translation>フレームが 4 GiB を超えるため、アニメーションカーソルを書き込めません</translation>
    </message>
    <message>
        <source>%1 (&quot;%2&quot;)</source>
        <translation>%1（「%2」）</translation>
    </message>
    <message>
        <source>an Xcursor file without images</source>
        <translation>Xcursor ファイルにイメージがありません</translation>
    </message>
    <message>
        <source>the cursor holds no images</source>
        <translation>カーソルにイメージがありません</translation>
    </message>
    <message>
        <source>the animated cursor holds no frames</source>
        <translation>アニメーションカーソルにフレームがありません</translation>
    </message>
    <message>
        <source>nothing to convert</source>
        <translation>変換するものがありません</translation>
    </message>
    <message>
        <source>nothing to write</source>
        <translation>書き込むものがありません</translation>
    </message>
    <message>
        <source>Empty JPEG data</source>
        <translation>JPEG のデータが空です</translation>
    </message>
    <message>
        <source>Cannot write a JPEG of %1 x %2 pixels</source>
        <translation>%1 x %2 ピクセルの JPEG は書き込めません</translation>
    </message>
    <message>
        <source>PNG: the mask is %1 x %2 but the image %3 x %4</source>
        <translation>マスクは %1 x %2 ですが、イメージは %3 x %4 です</translation>
    </message>
    <message>
        <source>an Xcursor file needs at least one image</source>
        <translation>Xcursor ファイルには 1 つ以上のイメージが必要です</translation>
    </message>
    <message>
        <source>too many images for one Xcursor file</source>
        <translation>1 つの Xcursor ファイルにはイメージが多すぎます</translation>
    </message>
    <message>
        <source>out of memory for the Xcursor images</source>
        <translation>Xcursor のイメージのためのメモリが足りません</translation>
    </message>
    <message>
        <source>an image of %1 x %2 cannot be written as Xcursor</source>
        <translation>%1 x %2 のイメージは Xcursor に書き込めません</translation>
    </message>
    <message>
        <source>out of memory for an Xcursor image</source>
        <translation>Xcursor のイメージのためのメモリが足りません</translation>
    </message>
    <message>
        <source>libXcursor could not write the images</source>
        <translation>Xcursor ファイルを書き込めませんでした</translation>
    </message>
</context>
<context>
    <name>vornik::THelpViewer</name>
    <message>
        <source>Vornik Help</source>
        <translation>Vornik ヘルプ</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>目次</translation>
    </message>
    <message>
        <source>Type a keyword to search</source>
        <translation>キーワードを入力して検索</translation>
    </message>
</context>
<context>
    <name>vornik::TfrmAboutBox</name>
    <message>
        <source>About Vornik</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>Makes and converts Windows icons, cursors and animated cursors</source>
        <translation>Windows のアイコン・カーソル・アニメーションカーソルの作成と変換</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>vornik::TfrmIconSelect</name>
    <message>
        <source>Choose Resource</source>
        <translation>リソース選択</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ｷｬﾝｾﾙ</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>vornik::TfrmMain</name>
    <message>
        <source>Store</source>
        <translation>登録</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>破棄</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>フレーム</translation>
    </message>
    <message>
        <source>Frame size</source>
        <translation>フレームサイズ</translation>
    </message>
    <message>
        <source>Chooses the frame size that the list, editing and playing use</source>
        <translation>一覧・編集・再生に使うフレームのサイズを選びます</translation>
    </message>
    <message>
        <source>Steps</source>
        <translation>ステップ</translation>
    </message>
    <message>
        <source> /60 s</source>
        <comment>unit of the step&apos;s display time</comment>
        <translation> /60 秒</translation>
    </message>
    <message>
        <source>How long the step shows (in 1/60 seconds)</source>
        <translation>ステップの表示時間 (1/60 秒単位)</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Adds a step</source>
        <translation>ステップを追加します</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Deletes the selected steps</source>
        <translation>選択したステップを削除します</translation>
    </message>
    <message>
        <source>Magnification of the preview</source>
        <translation>プレビューの拡大率</translation>
    </message>
    <message>
        <source>Hot spot</source>
        <translation>ホットスポット</translation>
    </message>
    <message>
        <source>Shows the hot spot in the preview</source>
        <translation>プレビューにホットスポットを表示します</translation>
    </message>
    <message>
        <source>Background...</source>
        <translation>背景色...</translation>
    </message>
    <message>
        <source>Chooses the background colour of the preview</source>
        <translation>プレビューの背景色を選びます</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>再生</translation>
    </message>
    <message>
        <source>Plays the animation</source>
        <translation>アニメーションを再生します</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Stops playing</source>
        <translation>再生を停止します</translation>
    </message>
    <message>
        <source>Animation Effects</source>
        <translation>アニメーション効果</translation>
    </message>
    <message>
        <source>Generates an animation automatically</source>
        <translation>アニメーションを自動生成します</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>タイトル</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>作者</translation>
    </message>
    <message>
        <source>Background Colour</source>
        <translation>背景色</translation>
    </message>
    <message>
        <source>Resource image/mask</source>
        <translation>リソース表示 image/mask</translation>
    </message>
    <message>
        <source>Composed Vie&amp;w</source>
        <translation>合成表示(&amp;W)</translation>
    </message>
    <message>
        <source>Shows the image and the mask composed on one canvas</source>
        <translation>イメージとマスクを1枚のキャンバスに合成して表示します</translation>
    </message>
    <message>
        <source>Mas&amp;k Overlay</source>
        <translation>マスクを重ねて表示(&amp;K)</translation>
    </message>
    <message>
        <source>Colours the transparent parts in the composed view</source>
        <translation>合成表示で透明な部分に色を付けて表示します</translation>
    </message>
    <message>
        <source>This command is not available yet</source>
        <translation>このコマンドはまだ使えません</translation>
    </message>
    <message>
        <source>Editing Panel</source>
        <translation>編集パネル</translation>
    </message>
    <message>
        <source>Select the View area</source>
        <translation>View領域の選択</translation>
    </message>
    <message>
        <source>Select the image area</source>
        <translation>image領域の選択</translation>
    </message>
    <message>
        <source>Select the mask area</source>
        <translation>mask領域の選択</translation>
    </message>
    <message>
        <source>Resource Properties</source>
        <translation>リソースプロパティ</translation>
    </message>
    <message>
        <source>Chooses the kind of resource</source>
        <translation>リソースの種類を選択します</translation>
    </message>
    <message>
        <source>Chooses the size</source>
        <translation>サイズを選択します</translation>
    </message>
    <message>
        <source>Chooses the number of colours</source>
        <translation>色数を選択します</translation>
    </message>
    <message>
        <source>Sets the hot spot&apos;s X coordinate</source>
        <translation>X軸のﾎｯﾄｽﾎﾟｯﾄ座標を設定します</translation>
    </message>
    <message>
        <source>Sets the hot spot&apos;s Y coordinate</source>
        <translation>Y軸のﾎｯﾄｽﾎﾟｯﾄ座標を設定します</translation>
    </message>
    <message>
        <source>Bitmap take-in position X</source>
        <translation>ﾋﾞｯﾄﾏｯﾌﾟ取得位置X</translation>
    </message>
    <message>
        <source>Bitmap take-in position Y</source>
        <translation>ﾋﾞｯﾄﾏｯﾌﾟ取得位置Y</translation>
    </message>
    <message>
        <source>Colour of the pixel under the pointer (R,G,B,A)</source>
        <translation>ポインタの下のピクセルの色 (R,G,B,A)</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>ﾌﾟﾚﾋﾞｭｰ</translation>
    </message>
    <message>
        <source>How it looks once saved (on the background colour, actual size and magnified)</source>
        <translation>保存後の見え方 (背景色の上、等倍と表示倍率)</translation>
    </message>
    <message>
        <source>H Standard</source>
        <translation>H 標準</translation>
    </message>
    <message>
        <source>Hot spot and mask (H)</source>
        <translation>ホットスポットとマスク (H)</translation>
    </message>
    <message>
        <source>B Pencil</source>
        <translation>B 鉛筆</translation>
    </message>
    <message>
        <source>Pencil: left button primary colour, right button secondary (B)</source>
        <translation>鉛筆: 左ボタンで主色、右ボタンで副色 (B)</translation>
    </message>
    <message>
        <source>E Eraser</source>
        <translation>E 消去</translation>
    </message>
    <message>
        <source>Eraser: makes pixels transparent (E)</source>
        <translation>消しゴム: 透明にします (E)</translation>
    </message>
    <message>
        <source>G Fill</source>
        <translation>G 塗潰</translation>
    </message>
    <message>
        <source>Fill (G)</source>
        <translation>塗りつぶし (G)</translation>
    </message>
    <message>
        <source>I Picker</source>
        <translation>I 色取</translation>
    </message>
    <message>
        <source>Colour picker: takes a colour (I)</source>
        <translation>スポイト: 色を取ります (I)</translation>
    </message>
    <message>
        <source>L Line</source>
        <translation>L 直線</translation>
    </message>
    <message>
        <source>Line: Shift for steps of 45 degrees (L)</source>
        <translation>直線: Shiftで45度刻み (L)</translation>
    </message>
    <message>
        <source>U Rectangle</source>
        <translation>U 矩形</translation>
    </message>
    <message>
        <source>Rectangle: Shift for a square (U)</source>
        <translation>四角形: Shiftで正方形 (U)</translation>
    </message>
    <message>
        <source>⇧U Ellipse</source>
        <translation>⇧U 楕円</translation>
    </message>
    <message>
        <source>Ellipse: Shift for a circle (Shift+U)</source>
        <translation>楕円: Shiftで円 (Shift+U)</translation>
    </message>
    <message>
        <source>M Select</source>
        <translation>M 選択</translation>
    </message>
    <message>
        <source>Rectangular selection (M)</source>
        <translation>矩形選択 (M)</translation>
    </message>
    <message>
        <source>V Move</source>
        <translation>V 移動</translation>
    </message>
    <message>
        <source>Move the selection (V)</source>
        <translation>選択範囲の移動 (V)</translation>
    </message>
    <message>
        <source>Brush width ([ and ] change it)</source>
        <translation>ブラシの太さ ([ と ] で変更)</translation>
    </message>
    <message>
        <source>Round</source>
        <translation>丸</translation>
    </message>
    <message>
        <source>Round brush</source>
        <translation>丸いブラシ</translation>
    </message>
    <message>
        <source>Fill tolerance (0: the same colour only)</source>
        <translation>塗りつぶしの許容値 (0: 同じ色だけ)</translation>
    </message>
    <message>
        <source>Filled</source>
        <translation>塗り</translation>
    </message>
    <message>
        <source>Fills rectangles and ellipses</source>
        <translation>四角形と楕円を塗りつぶします</translation>
    </message>
    <message>
        <source>W</source>
        <translation>太</translation>
    </message>
    <message>
        <source>T</source>
        <translation>許</translation>
    </message>
    <message>
        <source>Primary colour (left button): click to choose</source>
        <translation>主色 (左ボタン): クリックで色を選びます</translation>
    </message>
    <message>
        <source>Secondary colour (right button): click to choose</source>
        <translation>副色 (右ボタン): クリックで色を選びます</translation>
    </message>
    <message>
        <source>Swaps the primary and secondary colours (X)</source>
        <translation>主色と副色を入れ替えます (X)</translation>
    </message>
    <message>
        <source>The primary colour in hexadecimal (#RRGGBB or #RRGGBBAA)</source>
        <translation>主色を16進数で入力します (#RRGGBB または #RRGGBBAA)</translation>
    </message>
    <message>
        <source>Recent colours</source>
        <translation>最近の色</translation>
    </message>
    <message>
        <source>Palette</source>
        <translation>パレット</translation>
    </message>
    <message>
        <source>This resource&apos;s palette: only its colours can be drawn</source>
        <translation>このリソースのパレット: 描ける色はこの中の色だけです</translation>
    </message>
    <message>
        <source>Secondary Colour</source>
        <translation>副色の選択</translation>
    </message>
    <message>
        <source>Primary Colour</source>
        <translation>主色の選択</translation>
    </message>
    <message>
        <source>&amp;Fit to Window</source>
        <translation>ウィンドウに合わせる(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;1x</source>
        <translation>1倍(&amp;1)</translation>
    </message>
    <message>
        <source>&amp;2x</source>
        <translation>2倍(&amp;2)</translation>
    </message>
    <message>
        <source>&amp;4x</source>
        <translation>4倍(&amp;4)</translation>
    </message>
    <message>
        <source>&amp;8x</source>
        <translation>8倍(&amp;8)</translation>
    </message>
    <message>
        <source>16x</source>
        <translation>16倍</translation>
    </message>
    <message>
        <source>32x</source>
        <translation>32倍</translation>
    </message>
    <message>
        <source>64x</source>
        <translation>64倍</translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>ズーム(&amp;Z)</translation>
    </message>
    <message>
        <source>Sets the magnification of the editing area</source>
        <translation>編集領域の表示倍率を設定します</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>拡大(&amp;I)</translation>
    </message>
    <message>
        <source>Magnifies the editing area</source>
        <translation>編集領域を拡大表示します</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>縮小(&amp;O)</translation>
    </message>
    <message>
        <source>Shrinks the editing area</source>
        <translation>編集領域を縮小表示します</translation>
    </message>
    <message>
        <source>Pixel &amp;Grid</source>
        <translation>ピクセルグリッド(&amp;G)</translation>
    </message>
    <message>
        <source>Draws the borders between pixels at 4x and above</source>
        <translation>4倍以上の表示でピクセルの境界線を表示します</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Icon</translation>
    </message>
    <message>
        <source>Animation</source>
        <translation>Animation</translation>
    </message>
    <message>
        <source>Bitmap</source>
        <translation>Bitmap</translation>
    </message>
    <message>
        <source>Rate</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>A rotation angle of %1 degrees makes %2 frames, more than the %3 that can be added.<byte value="xd"/>Generate with %4 degrees (%5 frames)?</source>
        <translation>回転角度 %1 度では %2 フレームになり、追加できる %3 フレームを越えます。<byte value="xd"/>%4 度 (%5 フレーム) で生成しますか?</translation>
    </message>
    <message>
        <source>There is no image and mask to make the animation from. Show a resource first.</source>
        <translation>アニメーションの元になるイメージとマスクがありません。先にリソースを表示してください。</translation>
    </message>
    <message>
        <source>The image and the mask differ in size, so no animation can be generated.</source>
        <translation>イメージとマスクの大きさが違うため、アニメーションを生成できません。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid whole number.</source>
        <translation>「%1」は正しい整数ではありません。</translation>
    </message>
</context>
<context>
    <name>vornik::TfrmOption</name>
    <message>
        <source>Flat tool bar buttons</source>
        <translation>ﾂｰﾙﾊﾞｰのﾌﾗｯﾄ表示を行う</translation>
    </message>
    <message>
        <source>Use the fixed Windows palette when reducing to 16 colours</source>
        <translation>16色に減色時にWindows固定パレットを使う</translation>
    </message>
    <message>
        <source>Also fill in the image when a mask is made automatically</source>
        <translation>マスク自動作成時に、イメージ部も補完</translation>
    </message>
    <message>
        <source>Put the background colour under resources exported as bitmaps</source>
        <translation>ﾘｿｰｽをﾋﾞｯﾄﾏｯﾌﾟでｴｸｽﾎﾟｰﾄ時に背景色を付ける</translation>
    </message>
    <message>
        <source>Show icons with all colours</source>
        <translation>すべての色を使ってアイコンを表示する</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>ｵﾌﾟｼｮﾝ</translation>
    </message>
    <message>
        <source>Sets the background colour of bitmaps in the editing area</source>
        <translation>編集領域でのビットマップの背景色を設定します</translation>
    </message>
    <message>
        <source>Scaling of bitmaps</source>
        <translation>ビットマップの拡大縮小に使う設定</translation>
    </message>
    <message>
        <source>System language</source>
        <translation>システムの言語</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>The language changes when Vornik is next started.</source>
        <translation>言語は次回の起動時から変わります。</translation>
    </message>
    <message>
        <source>View</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>Sets the kinds of icon that auto-completion makes.</source>
        <translation>アイコン自動補完を行うときのアイコンの種類を設定します。</translation>
    </message>
    <message>
        <source>Alpha</source>
        <comment>32 bits with an alpha channel</comment>
        <translation>ｱﾙﾌｧ</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>デフォルト</translation>
    </message>
    <message>
        <source>Auto-completion</source>
        <translation>アイコン補完</translation>
    </message>
    <message>
        <source>ALT+F12 captures the chosen window.</source>
        <translation>ALT+F12キーで対象ウィンドウをキャプチャします。</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>キャプチャ対象</translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation>デスクトップ</translation>
    </message>
    <message>
        <source>Active window</source>
        <translation>アクティブウィンドウ</translation>
    </message>
    <message>
        <source>No capture</source>
        <translation>キャプチャしない</translation>
    </message>
    <message>
        <source>Screen capture</source>
        <translation>スクリーンキャプチャ</translation>
    </message>
    <message>
        <source>Animated cursor default</source>
        <translation>ｱﾆﾒｰｼｮﾝｶｰｿﾙﾃﾞﾌｫﾙﾄ</translation>
    </message>
    <message>
        <source>Rate</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>Editing</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ｷｬﾝｾﾙ</translation>
    </message>
</context>
<context>
    <name>vornik::Tfrmallsave</name>
    <message>
        <source>Batch Save</source>
        <translation>一括保存</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>参照...</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>出力ﾌｫﾙﾀﾞ</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>ﾌｧｲﾙ名</translation>
    </message>
    <message>
        <source>First number</source>
        <translation>初期値</translation>
    </message>
    <message>
        <source>First file name</source>
        <translation>スタートファイル名</translation>
    </message>
    <message>
        <source>Files to save</source>
        <translation>保存するファイル</translation>
    </message>
    <message>
        <source>When a file name exists</source>
        <translation>同一ファイル名の処理</translation>
    </message>
    <message>
        <source>Number on to a free name</source>
        <translation>自動的にファイル名をスライド</translation>
    </message>
    <message>
        <source>Overwrite all</source>
        <translation>すべて上書き</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>実行</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>  (cursor)</source>
        <translation>  (ｶｰｿﾙ)</translation>
    </message>
    <message>
        <source>  (icon)</source>
        <translation>  (ｱｲｺﾝ)</translation>
    </message>
    <message>
        <source>(nothing to save)</source>
        <translation>(保存するものがありません)</translation>
    </message>
    <message>
        <source>Choose the Output Folder</source>
        <translation>出力ﾌｫﾙﾀﾞの選択</translation>
    </message>
</context>
<context>
    <name>vornik::TfrmaniEft</name>
    <message>
        <source>Animated Cursor Generation</source>
        <translation>ｱﾆﾒｰｼｮﾝｶｰｿﾙ自動生成</translation>
    </message>
    <message>
        <source>Rotation</source>
        <translation>回転</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>右方向</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>左方向</translation>
    </message>
    <message>
        <source>Horizontal, upwards</source>
        <translation>水平上方向</translation>
    </message>
    <message>
        <source>Horizontal, downwards</source>
        <translation>水平下方向</translation>
    </message>
    <message>
        <source>Vertical, to the right</source>
        <translation>垂直右方向</translation>
    </message>
    <message>
        <source>Vertical, to the left</source>
        <translation>垂直左方向</translation>
    </message>
    <message>
        <source>Rotation angle</source>
        <translation>回転角度</translation>
    </message>
    <message>
        <source>Shrink</source>
        <translation>縮小</translation>
    </message>
    <message>
        <source>Grow</source>
        <translation>拡大</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>拡大・縮小</translation>
    </message>
    <message>
        <source>Zoom rate</source>
        <translation>拡大・縮小率</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>移動</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>上方向</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>下方向</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>移動単位</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>vornik::Tfrmbmpzoom</name>
    <message>
        <source>Resize Bitmap</source>
        <translation>ビットマップの拡大・縮小</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>幅</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高さ</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>拡大率</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ｷｬﾝｾﾙ</translation>
    </message>
</context>
<context>
    <name>vornik::Tfrmiconchk</name>
    <message>
        <source>Icon Check</source>
        <translation>アイコンチェック</translation>
    </message>
    <message>
        <source>Check how the icon&apos;s transparent areas and colours look against the colours around it</source>
        <translation>作成したアイコンの透明領域色や周りの色とのバランスを確認してください</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>vornik::Tfrmiconcursel</name>
    <message>
        <source>New Resource</source>
        <translation>新規リソース</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>アイコン</translation>
    </message>
    <message>
        <source>Cursor</source>
        <translation>カーソル</translation>
    </message>
    <message>
        <source>Choose Resource</source>
        <translation>リソース選択</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>vornik::Tfrmrotinput</name>
    <message>
        <source>Clockwise</source>
        <translation>右回り</translation>
    </message>
    <message>
        <source>Anticlockwise</source>
        <translation>左回り</translation>
    </message>
    <message>
        <source>Rotate Image</source>
        <translation>画像の回転</translation>
    </message>
    <message>
        <source>Angle</source>
        <translation>角度</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
</TS>
